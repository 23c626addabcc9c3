#include "common/com/server/dual_type_info.h"

#include "common/com/hresult.h"
#include "common/com/server/type_library.h"

#include <utility>

namespace pkw::com {

HRESULT DualTypeInfo::load() noexcept {
    if (vtable_) return S_OK;
    if (!iid_) return E_NOTIMPL;
    Microsoft::WRL::ComPtr<ITypeInfo> dispatch;
    PKW_RETURN_IF_FAILED(typeInfoOf(*iid_, &dispatch));
    Microsoft::WRL::ComPtr<ITypeInfo> vtable = dispatch;
    // Index -1 of a dual interface's dispatch description is its vtable one.
    HREFTYPE ref = 0;
    if (SUCCEEDED(dispatch->GetRefTypeOfImplType(static_cast<UINT>(-1), &ref)))
        PKW_RETURN_IF_FAILED(dispatch->GetRefTypeInfo(ref, &vtable));
    dispatch_ = std::move(dispatch);
    vtable_ = std::move(vtable);
    return S_OK;
}

HRESULT DualTypeInfo::getTypeInfo(UINT index, ITypeInfo** info) noexcept {
    if (!info) return E_POINTER;
    *info = nullptr;
    if (index != 0) return DISP_E_BADINDEX;
    PKW_RETURN_IF_FAILED(load());
    return dispatch_.CopyTo(info);
}

HRESULT DualTypeInfo::getIDsOfNames(REFIID riid, LPOLESTR* names, UINT count,
                                    DISPID* ids) noexcept {
    if (riid != IID_NULL) return DISP_E_UNKNOWNINTERFACE;
    PKW_RETURN_IF_FAILED(load());
    return ::DispGetIDsOfNames(dispatch_.Get(), names, count, ids);
}

HRESULT DualTypeInfo::invoke(void* object, DISPID id, REFIID riid, WORD flags, DISPPARAMS* params,
                             VARIANT* result, EXCEPINFO* excep, UINT* argErr) noexcept {
    if (riid != IID_NULL) return DISP_E_UNKNOWNINTERFACE;
    PKW_RETURN_IF_FAILED(load());
    const HRESULT hr = vtable_->Invoke(object, id, flags, params, result, excep, argErr);
    // oleaut32 turns an object argument into the parameter's interface by
    // QueryInterface: an object without that interface is of the wrong type.
    return hr == E_NOINTERFACE ? DISP_E_TYPEMISMATCH : hr;
}

DISPID DualTypeInfo::idOf(const wchar_t* name) noexcept {
    DISPID id = DISPID_UNKNOWN;
    LPOLESTR names[] = {const_cast<LPOLESTR>(name)};
    if (!name || FAILED(getIDsOfNames(IID_NULL, names, 1, &id))) return DISPID_UNKNOWN;
    return id;
}

} // namespace pkw::com
