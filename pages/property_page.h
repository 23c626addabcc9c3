// What every property page of the library shares: IPropertyPage2 as a
// designer's page frame drives it, the page site, and the page window.
//
// A page derives from PropertyPage (and its own dual interface), gives its
// tab text and size in twips, and draws itself (BufferedView::draw). Pages
// that edit the selected objects override the object, dirty and apply
// hooks; the default is a page that edits nothing. A page that places the
// library's controls adds them to controls() when it is activated and
// hears their events; they go when the page is deactivated, and the keys
// the frame offers the page reach the control that has the focus.
#pragma once

#include "activex/units.h"
#include "common/com/com_ptr.h"
#include "pages/buffered_paint.h"
#include "pages/page_controls.h"
#include "pages/page_window.h"

#include <ocidl.h>
#include <windows.h>

#include <string_view>

namespace pkw::pages {

class PropertyPage : public IPropertyPage2, protected BufferedView {
public:
    // IPropertyPage
    STDMETHODIMP SetPageSite(IPropertyPageSite* site) noexcept override;
    STDMETHODIMP Activate(HWND parent, LPCRECT rect, BOOL modal) noexcept override;
    STDMETHODIMP Deactivate() noexcept override;
    STDMETHODIMP GetPageInfo(PROPPAGEINFO* info) noexcept override;
    STDMETHODIMP SetObjects(ULONG count, IUnknown** objects) noexcept override;
    STDMETHODIMP Show(UINT command) noexcept override;
    STDMETHODIMP Move(LPCRECT rect) noexcept override;
    STDMETHODIMP IsPageDirty() noexcept override;
    STDMETHODIMP Apply() noexcept override;
    STDMETHODIMP Help(LPCOLESTR helpDir) noexcept override;
    STDMETHODIMP TranslateAccelerator(MSG* msg) noexcept override;
    // IPropertyPage2
    STDMETHODIMP EditProperty(DISPID id) noexcept override;

protected:
    // `sizeTwips`: the page's size as the frame should make room for it.
    PropertyPage(const wchar_t* title, SIZE sizeTwips) noexcept;
    virtual ~PropertyPage() = default;

    // The objects selected in the designer (count 0: none any more). The
    // page keeps only what it needs.
    virtual HRESULT onObjects(ULONG /*count*/, IUnknown** /*objects*/) noexcept { return S_OK; }
    virtual bool dirty() const noexcept { return false; }
    // Writes the page's changes to the objects.
    virtual HRESULT onApply() noexcept { return S_OK; }
    // The page's window exists (hidden): the page places its controls.
    virtual HRESULT onActivate(HWND /*window*/) noexcept { return S_OK; }
    // An event of one of the page's controls, by the names given to add().
    virtual void onControlEvent(std::wstring_view /*control*/,
                                std::wstring_view /*event*/) noexcept {}

    ax::units::TwipsPerPixel twipsPerPixel() const noexcept { return tpp_; }
    // The frame, to report changes to; null outside SetPageSite's span.
    IPropertyPageSite* site() const noexcept { return site_.Get(); }
    PageControls& controls() noexcept { return controls_; }

private:
    const wchar_t* title_;
    SIZE sizeTwips_;
    ax::units::TwipsPerPixel tpp_;
    Microsoft::WRL::ComPtr<IPropertyPageSite> site_;
    PageWindow window_{*this};
    // After the window: the controls go before the window they live in.
    PageControls controls_{[this](std::wstring_view control, std::wstring_view event) {
        onControlEvent(control, event);
    }};
};

} // namespace pkw::pages
