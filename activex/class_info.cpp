// IProvideClassInfo2, ISpecifyPropertyPages, ISupportErrorInfo and the
// error info a control reports.
#include "activex/ole_control_impl.h"

#include "common/com/hresult.h"
#include "common/com/server/type_library.h"

namespace pkw::ax {

STDMETHODIMP OleControlImpl::GetClassInfo(ITypeInfo** info) {
    if (!info) return E_POINTER;
    return com::typeInfoOf(*cls_.clsid, info);
}

STDMETHODIMP OleControlImpl::GetGUID(DWORD kind, GUID* guid) {
    if (!guid) return E_POINTER;
    *guid = GUID_NULL;
    if (kind != GUIDKIND_DEFAULT_SOURCE_DISP_IID) return E_INVALIDARG;
    if (!cls_.eventInterface) return E_FAIL;
    *guid = *cls_.eventInterface;
    return S_OK;
}

// Only the pages a container can create are offered: a page that is not
// (yet) registered would make the designer's property command fail.
STDMETHODIMP OleControlImpl::GetPages(CAUUID* pages) {
    if (!pages) return E_POINTER;
    pages->cElems = 0;
    pages->pElems = nullptr;
    const auto& list = cls_.propertyPages;
    if (list.empty()) return S_OK;
    auto* out = static_cast<GUID*>(::CoTaskMemAlloc(list.size() * sizeof(GUID)));
    if (!out) return E_OUTOFMEMORY;
    ULONG count = 0;
    for (const CLSID* page : list) {
        ComPtr<IClassFactory> factory;
        if (SUCCEEDED(
                ::CoGetClassObject(*page, CLSCTX_INPROC_SERVER, nullptr, IID_PPV_ARGS(&factory))))
            out[count++] = *page;
    }
    if (count == 0) {
        ::CoTaskMemFree(out);
        return S_OK;
    }
    pages->cElems = count;
    pages->pElems = out;
    return S_OK;
}

STDMETHODIMP OleControlImpl::InterfaceSupportsErrorInfo(REFIID riid) {
    return cls_.defaultInterface && riid == *cls_.defaultInterface ? S_OK : S_FALSE;
}

// --- OleControl ---------------------------------------------------------------

HRESULT OleControl::reportError(HRESULT hr, const wchar_t* description) const {
    ComPtr<ICreateErrorInfo> create;
    if (FAILED(::CreateErrorInfo(&create))) return hr;
    if (cls_.defaultInterface) create->SetGUID(*cls_.defaultInterface);
    create->SetSource(const_cast<LPOLESTR>(cls_.className ? cls_.className : L""));
    create->SetDescription(const_cast<LPOLESTR>(description ? description : L""));
    ComPtr<IErrorInfo> info;
    if (SUCCEEDED(create.As(&info))) ::SetErrorInfo(0, info.Get());
    return hr;
}

HRESULT OleControl::recordInfo(REFGUID recordType, IRecordInfo** info) const {
    if (!info) return E_POINTER;
    *info = nullptr;
    ComPtr<ITypeInfo> type;
    PKW_RETURN_IF_FAILED(com::typeInfoOf(recordType, &type));
    return ::GetRecordInfoFromTypeInfo(type.Get(), info);
}

} // namespace pkw::ax
