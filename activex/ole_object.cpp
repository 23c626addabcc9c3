// IOleObject: siting, verbs, extent and the OLE advise holder.
#include "activex/ole_control_impl.h"

#include "common/com/hresult.h"

#include <ole2.h>

#include <cstring>
#include <cwchar>

namespace pkw::ax {

STDMETHODIMP OleControlImpl::SetClientSite(IOleClientSite* site) {
    initialize();
    if (site == site_.Get()) return S_OK;
    if (inPlaceActive_) InPlaceDeactivate();
    dropSite();
    if (!site) return S_OK;
    site_ = site;
    // Not every container has a control site; what needs one does without.
    site_.As(&controlSite_);
    return S_OK;
}

void OleControlImpl::dropSite() noexcept {
    // Release in reverse order of taking; the site last.
    uiWindow_.Reset();
    frame_.Reset();
    inPlaceSite_.Reset();
    controlSite_.Reset();
    site_.Reset();
}

STDMETHODIMP OleControlImpl::GetClientSite(IOleClientSite** site) {
    if (!site) return E_POINTER;
    return site_.CopyTo(site);
}

STDMETHODIMP OleControlImpl::SetHostNames(LPCOLESTR, LPCOLESTR) {
    return S_OK;
}

STDMETHODIMP OleControlImpl::Close(DWORD saveOption) {
    ComPtr<IUnknown> keep(owner_.identity());
    if (inPlaceActive_) InPlaceDeactivate();
    if ((saveOption == OLECLOSE_SAVEIFDIRTY || saveOption == OLECLOSE_PROMPTSAVE) && dirty_ &&
        site_) {
        ignore(site_->SaveObject()); // the container's business if it cannot
    }
    if (adviseHolder_) adviseHolder_->SendOnClose();
    return S_OK;
}

STDMETHODIMP OleControlImpl::SetMoniker(DWORD, IMoniker*) {
    return E_NOTIMPL;
}

STDMETHODIMP OleControlImpl::GetMoniker(DWORD, DWORD, IMoniker** moniker) {
    if (moniker) *moniker = nullptr;
    return E_NOTIMPL;
}

STDMETHODIMP OleControlImpl::InitFromData(IDataObject*, BOOL, DWORD) {
    return E_NOTIMPL;
}

STDMETHODIMP OleControlImpl::GetClipboardData(DWORD, IDataObject** data) {
    if (data) *data = nullptr;
    return E_NOTIMPL;
}

STDMETHODIMP OleControlImpl::DoVerb(LONG verb, LPMSG, IOleClientSite* site, LONG, HWND, LPCRECT) {
    initialize();
    ComPtr<IUnknown> keep(owner_.identity());
    if (!site_ && site) SetClientSite(site);
    // Hosts that never give settings still get fresh ones before showing.
    if (!propertiesLoaded_) runInitProperties();
    switch (verb) {
    case OLEIVERB_PRIMARY:
    case OLEIVERB_SHOW: {
        const HRESULT hr = inPlaceActivate(verb == OLEIVERB_PRIMARY);
        if (SUCCEEDED(hr) && site_) ignore(site_->ShowObject());
        return hr;
    }
    case OLEIVERB_INPLACEACTIVATE:
        return inPlaceActivate(false);
    case OLEIVERB_UIACTIVATE:
        return inPlaceActivate(true);
    case OLEIVERB_HIDE:
        uiDeactivate();
        if (window_.hwnd()) ::ShowWindow(window_.hwnd(), SW_HIDE);
        return S_OK;
    default:
        if (verb > 0) {
            // An unknown positive verb acts as the primary one.
            const HRESULT hr = inPlaceActivate(true);
            return FAILED(hr) ? hr : OLEOBJ_S_INVALIDVERB;
        }
        return E_NOTIMPL;
    }
}

STDMETHODIMP OleControlImpl::EnumVerbs(IEnumOLEVERB** verbs) {
    if (!verbs) return E_POINTER;
    return ::OleRegEnumVerbs(*cls_.clsid, verbs);
}

STDMETHODIMP OleControlImpl::Update() {
    return S_OK;
}
STDMETHODIMP OleControlImpl::IsUpToDate() {
    return S_OK;
}

STDMETHODIMP OleControlImpl::GetUserClassID(CLSID* clsid) {
    if (!clsid) return E_POINTER;
    *clsid = *cls_.clsid;
    return S_OK;
}

STDMETHODIMP OleControlImpl::GetUserType(DWORD form, LPOLESTR* userType) {
    if (!userType) return E_POINTER;
    *userType = nullptr;
    if (SUCCEEDED(::OleRegGetUserType(*cls_.clsid, form, userType)) && *userType) return S_OK;
    // Not registered: the class name serves every form.
    const wchar_t* name = cls_.className ? cls_.className : L"";
    const size_t bytes = (std::wcslen(name) + 1) * sizeof(wchar_t);
    *userType = static_cast<LPOLESTR>(::CoTaskMemAlloc(bytes));
    if (!*userType) return E_OUTOFMEMORY;
    std::memcpy(*userType, name, bytes);
    return S_OK;
}

STDMETHODIMP OleControlImpl::SetExtent(DWORD aspect, SIZEL* size) {
    if (aspect != DVASPECT_CONTENT) return DV_E_DVASPECT;
    if (!size) return E_POINTER;
    if (size->cx < 0 || size->cy < 0) return E_INVALIDARG;
    extent_ = *size;
    window_.resize(units::pixelsFromHimetric(extent_, tpp_));
    sendViewChange();
    return S_OK;
}

STDMETHODIMP OleControlImpl::GetExtent(DWORD aspect, SIZEL* size) {
    if (!size) return E_POINTER;
    if (aspect != DVASPECT_CONTENT) return DV_E_DVASPECT;
    *size = extent_;
    return S_OK;
}

STDMETHODIMP OleControlImpl::Advise(IAdviseSink* sink, DWORD* connection) {
    if (!connection) return E_POINTER;
    *connection = 0;
    if (!adviseHolder_) PKW_RETURN_IF_FAILED(::CreateOleAdviseHolder(&adviseHolder_));
    return adviseHolder_->Advise(sink, connection);
}

STDMETHODIMP OleControlImpl::Unadvise(DWORD connection) {
    if (!adviseHolder_) return OLE_E_NOCONNECTION;
    return adviseHolder_->Unadvise(connection);
}

STDMETHODIMP OleControlImpl::EnumAdvise(IEnumSTATDATA** advise) {
    if (!advise) return E_POINTER;
    *advise = nullptr;
    if (!adviseHolder_) PKW_RETURN_IF_FAILED(::CreateOleAdviseHolder(&adviseHolder_));
    return adviseHolder_->EnumAdvise(advise);
}

STDMETHODIMP OleControlImpl::GetMiscStatus(DWORD, DWORD* status) {
    if (!status) return E_POINTER;
    *status = cls_.miscStatus;
    return S_OK;
}

STDMETHODIMP OleControlImpl::SetColorScheme(LOGPALETTE*) {
    return E_NOTIMPL;
}

} // namespace pkw::ax
