#include "host/frame.h"

#include "host/enumerators.h"
#include "host/form.h"

namespace pkw::host {

void* Frame::find(REFIID riid) noexcept {
    if (riid == IID_IUnknown || riid == IID_IOleWindow || riid == IID_IOleInPlaceUIWindow ||
        riid == IID_IOleInPlaceFrame)
        return static_cast<IOleInPlaceFrame*>(this);
    if (riid == IID_IParseDisplayName || riid == IID_IOleContainer)
        return static_cast<IOleContainer*>(this);
    return nullptr;
}

STDMETHODIMP Frame::GetWindow(HWND* hwnd) {
    if (!hwnd) return E_POINTER;
    *hwnd = form_ ? form_->hwnd() : nullptr;
    return *hwnd ? S_OK : E_FAIL;
}

STDMETHODIMP Frame::ContextSensitiveHelp(BOOL) {
    return E_NOTIMPL;
}

STDMETHODIMP Frame::GetBorder(LPRECT border) {
    if (!border) return E_POINTER;
    if (!form_) return E_UNEXPECTED;
    *border = form_->clientRect();
    return S_OK;
}

// The form has no room for toolbars.
STDMETHODIMP Frame::RequestBorderSpace(LPCBORDERWIDTHS) {
    return INPLACE_E_NOTOOLSPACE;
}

STDMETHODIMP Frame::SetBorderSpace(LPCBORDERWIDTHS widths) {
    if (!widths) return S_OK;
    const bool none =
        widths->left == 0 && widths->top == 0 && widths->right == 0 && widths->bottom == 0;
    return none ? S_OK : OLE_E_INVALIDRECT;
}

STDMETHODIMP Frame::SetActiveObject(IOleInPlaceActiveObject* object, LPCOLESTR) {
    if (form_) form_->setActiveObject(object);
    return S_OK;
}

STDMETHODIMP Frame::InsertMenus(HMENU, LPOLEMENUGROUPWIDTHS widths) {
    if (widths)
        for (LONG& w : widths->width)
            w = 0;
    return S_OK;
}

STDMETHODIMP Frame::SetMenu(HMENU, HOLEMENU, HWND) {
    return S_OK;
}
STDMETHODIMP Frame::RemoveMenus(HMENU) {
    return S_OK;
}

STDMETHODIMP Frame::SetStatusText(LPCOLESTR text) {
    status_ = text ? text : L"";
    return S_OK;
}

STDMETHODIMP Frame::EnableModeless(BOOL) {
    return S_OK;
}
STDMETHODIMP Frame::TranslateAccelerator(LPMSG, WORD) {
    return S_FALSE;
}

STDMETHODIMP Frame::ParseDisplayName(IBindCtx*, LPOLESTR, ULONG* eaten, IMoniker** moniker) {
    if (eaten) *eaten = 0;
    if (moniker) *moniker = nullptr;
    return E_NOTIMPL;
}

STDMETHODIMP Frame::EnumObjects(DWORD, IEnumUnknown** objects) {
    if (!objects) return E_POINTER;
    *objects = nullptr;
    if (!form_) return E_UNEXPECTED;
    if (!form_->behaviour().enumObjects) return E_NOTIMPL;
    std::vector<ComPtr<IUnknown>> controls;
    for (const ComPtr<Site>& site : form_->sites())
        if (site->control()) controls.emplace_back(site->control());
    *objects = makeCom<UnknownEnum>(std::move(controls)).Detach();
    return S_OK;
}

STDMETHODIMP Frame::LockContainer(BOOL) {
    return S_OK;
}

} // namespace pkw::host
