#include "pages/property_page.h"

#include "common/com/hresult.h"

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
    if (!window_.create(parent, *rect)) return E_FAIL;
    // A control that cannot be placed leaves a page that still shows.
    ignore(onActivate(window_.hwnd()));
    return S_OK;
}

STDMETHODIMP PropertyPage::Deactivate() noexcept {
    controls_.clear();
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

// The focused control first (the text box takes Tab, arrows and editing
// keys through its accelerator hook); what it leaves goes to the frame.
STDMETHODIMP PropertyPage::TranslateAccelerator(MSG* msg) noexcept {
    if (!msg) return E_POINTER;
    IOleInPlaceActiveObject* active = controls_.activeObject();
    if (!active) return S_FALSE;
    const Microsoft::WRL::ComPtr<IOleInPlaceActiveObject> keep(active);
    return keep->TranslateAccelerator(msg) == S_OK ? S_OK : S_FALSE;
}

STDMETHODIMP PropertyPage::EditProperty(DISPID) noexcept {
    return E_NOTIMPL;
}

} // namespace pkw::pages
