// What the page and about box tests share: a designer's page site, pages
// made from the registered library, the built-in images as the resource
// server lends them to the library (the same DLL, in this process), and
// comparisons of what the screen shows with them.
#pragma once

#include "host/capture.h"
#include "host/com_object.h"

#include <ocidl.h>

#include <climits>
#include <cstddef>
#include <functional>
#include <vector>

namespace pkw::test {

// A designer's side of a page: records the page's status reports.
class PageSite : public host::ComObject<PageSite, IPropertyPageSite> {
public:
    void* find(REFIID riid) noexcept {
        return riid == IID_IUnknown || riid == IID_IPropertyPageSite
                   ? static_cast<IPropertyPageSite*>(this)
                   : nullptr;
    }
    STDMETHODIMP OnStatusChange(DWORD flags) override {
        statuses.push_back(flags);
        return S_OK;
    }
    STDMETHODIMP GetLocaleID(LCID* lcid) override {
        if (!lcid) return E_POINTER;
        *lcid = LOCALE_USER_DEFAULT;
        return S_OK;
    }
    STDMETHODIMP GetPageContainer(IUnknown** container) override {
        if (container) *container = nullptr;
        return E_NOTIMPL;
    }
    STDMETHODIMP TranslateAccelerator(MSG*) override { return S_FALSE; }

    std::vector<DWORD> statuses;
};

// A page of the library, registered first as a designer finds it; null
// (with a failure added) when either step fails.
Microsoft::WRL::ComPtr<IPropertyPage2> CreatePage(REFCLSID clsid);

// The page's window among the children of the frame's `parent`.
HWND PageWindow(HWND parent);

// `area` of built-in image `id`; empty when the server has no such image.
host::Image ResourceImage(LONG id, const RECT& area);

// `shown` holds `expected`, pixel for pixel, with its top left at `at`.
bool ShowsAt(const host::Image& shown, POINT at, const host::Image& expected);

// The pixels of `area` for which `ink` holds: how many, and their
// leftmost and rightmost column.
struct Ink {
    std::size_t count = 0;
    LONG left = LONG_MAX;
    LONG right = LONG_MIN;
};
Ink InkIn(const RECT& area, const std::function<bool(LONG x, LONG y)>& ink);

} // namespace pkw::test
