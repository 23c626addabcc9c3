#include "pages/page_frame.h"

namespace pkw::pages {

void PageFrame::orphan() noexcept {
    window_ = nullptr;
    active_.Reset();
}

STDMETHODIMP PageFrame::GetWindow(HWND* hwnd) noexcept {
    if (!hwnd) return E_POINTER;
    *hwnd = window_;
    return window_ ? S_OK : E_FAIL;
}

STDMETHODIMP PageFrame::ContextSensitiveHelp(BOOL) noexcept {
    return E_NOTIMPL;
}

STDMETHODIMP PageFrame::GetBorder(LPRECT border) noexcept {
    if (!border) return E_POINTER;
    return window_ && ::GetClientRect(window_, border) ? S_OK : E_FAIL;
}

// A page has no room for tool bars.
STDMETHODIMP PageFrame::RequestBorderSpace(LPCBORDERWIDTHS) noexcept {
    return INPLACE_E_NOTOOLSPACE;
}

STDMETHODIMP PageFrame::SetBorderSpace(LPCBORDERWIDTHS widths) noexcept {
    if (!widths) return S_OK;
    const bool none =
        widths->left == 0 && widths->top == 0 && widths->right == 0 && widths->bottom == 0;
    return none ? S_OK : OLE_E_INVALIDRECT;
}

STDMETHODIMP PageFrame::SetActiveObject(IOleInPlaceActiveObject* object, LPCOLESTR) noexcept {
    // Kept only while the page is there: an orphaned frame must not hold a
    // control alive.
    active_ = window_ ? object : nullptr;
    return S_OK;
}

STDMETHODIMP PageFrame::InsertMenus(HMENU, LPOLEMENUGROUPWIDTHS widths) noexcept {
    if (widths)
        for (LONG& width : widths->width)
            width = 0;
    return S_OK;
}

STDMETHODIMP PageFrame::SetMenu(HMENU, HOLEMENU, HWND) noexcept {
    return S_OK;
}

STDMETHODIMP PageFrame::RemoveMenus(HMENU) noexcept {
    return S_OK;
}

STDMETHODIMP PageFrame::SetStatusText(LPCOLESTR) noexcept {
    return S_OK;
}

STDMETHODIMP PageFrame::EnableModeless(BOOL) noexcept {
    return S_OK;
}

STDMETHODIMP PageFrame::TranslateAccelerator(LPMSG, WORD) noexcept {
    return S_FALSE;
}

} // namespace pkw::pages
