#include "pages/property_page.h"

#include <cstring>
#include <cwchar>

namespace pkw::pages {

PropertyPage::PropertyPage(const wchar_t* title, SIZE sizeTwips) noexcept
    : title_(title), sizeTwips_(sizeTwips), tpp_(ax::units::screenTwipsPerPixel()) {}

STDMETHODIMP PropertyPage::SetPageSite(IPropertyPageSite* site) noexcept {
    site_ = site;
    return S_OK;
}

STDMETHODIMP PropertyPage::Activate(HWND parent, LPCRECT rect, BOOL) noexcept {
    if (!rect) return E_POINTER;
    if (!parent) return E_INVALIDARG;
    return window_.create(parent, *rect) ? S_OK : E_FAIL;
}

STDMETHODIMP PropertyPage::Deactivate() noexcept {
    window_.destroy();
    return S_OK;
}

STDMETHODIMP PropertyPage::GetPageInfo(PROPPAGEINFO* info) noexcept {
    if (!info) return E_POINTER;
    const std::size_t bytes = (std::wcslen(title_) + 1) * sizeof(wchar_t);
    auto* title = static_cast<LPOLESTR>(::CoTaskMemAlloc(bytes));
    if (!title) return E_OUTOFMEMORY;
    std::memcpy(title, title_, bytes);
    info->cb = sizeof(PROPPAGEINFO);
    info->pszTitle = title;
    info->size = {ax::units::pixelsFromTwips(sizeTwips_.cx, tpp_.x),
                  ax::units::pixelsFromTwips(sizeTwips_.cy, tpp_.y)};
    info->pszDocString = nullptr;
    info->pszHelpFile = nullptr;
    info->dwHelpContext = 0;
    return S_OK;
}

STDMETHODIMP PropertyPage::SetObjects(ULONG count, IUnknown** objects) noexcept {
    if (count > 0 && !objects) return E_POINTER;
    return onObjects(count, objects);
}

STDMETHODIMP PropertyPage::Show(UINT command) noexcept {
    if (!window_.hwnd()) return E_UNEXPECTED;
    ::ShowWindow(window_.hwnd(), static_cast<int>(command));
    return S_OK;
}

STDMETHODIMP PropertyPage::Move(LPCRECT rect) noexcept {
    if (!rect) return E_POINTER;
    if (!window_.hwnd()) return E_UNEXPECTED;
    ::MoveWindow(window_.hwnd(), rect->left, rect->top, rect->right - rect->left,
                 rect->bottom - rect->top, TRUE);
    return S_OK;
}

STDMETHODIMP PropertyPage::IsPageDirty() noexcept {
    return dirty() ? S_OK : S_FALSE;
}

STDMETHODIMP PropertyPage::Apply() noexcept {
    return onApply();
}

STDMETHODIMP PropertyPage::Help(LPCOLESTR) noexcept {
    return E_NOTIMPL; // no help file: the frame shows none
}

STDMETHODIMP PropertyPage::TranslateAccelerator(MSG* msg) noexcept {
    return msg ? S_FALSE : E_POINTER;
}

STDMETHODIMP PropertyPage::EditProperty(DISPID) noexcept {
    return E_NOTIMPL;
}

} // namespace pkw::pages
