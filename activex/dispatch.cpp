// IDispatch of the default interface, served by the type library.
#include "activex/ole_control_impl.h"

#include "common/com/hresult.h"

namespace pkw::ax {

HRESULT OleControlImpl::dispatchTypeInfo(type_library::DualTypeInfo& info) noexcept {
    if (!typeInfo_.dispatch) {
        if (!cls_.defaultInterface) return E_NOTIMPL;
        PKW_RETURN_IF_FAILED(type_library::dualTypeInfo(*cls_.defaultInterface, typeInfo_));
    }
    info = typeInfo_;
    return S_OK;
}

HRESULT OleControl::getTypeInfoCount(UINT* count) noexcept {
    if (!count) return E_POINTER;
    *count = 1;
    return S_OK;
}

HRESULT OleControl::getTypeInfo(UINT index, LCID, ITypeInfo** info) noexcept {
    if (!info) return E_POINTER;
    *info = nullptr;
    if (index != 0) return DISP_E_BADINDEX;
    type_library::DualTypeInfo types;
    PKW_RETURN_IF_FAILED(impl_->dispatchTypeInfo(types));
    return types.dispatch.CopyTo(info);
}

HRESULT OleControl::getIDsOfNames(REFIID riid, LPOLESTR* names, UINT count, LCID,
                                  DISPID* ids) noexcept {
    if (riid != IID_NULL) return DISP_E_UNKNOWNINTERFACE;
    impl_->initialize();
    type_library::DualTypeInfo types;
    PKW_RETURN_IF_FAILED(impl_->dispatchTypeInfo(types));
    return ::DispGetIDsOfNames(types.dispatch.Get(), names, count, ids);
}

HRESULT OleControl::invoke(DISPID id, REFIID riid, LCID, WORD flags, DISPPARAMS* params,
                           VARIANT* result, EXCEPINFO* excep, UINT* argErr) noexcept {
    if (riid != IID_NULL) return DISP_E_UNKNOWNINTERFACE;
    impl_->initialize();
    type_library::DualTypeInfo types;
    PKW_RETURN_IF_FAILED(impl_->dispatchTypeInfo(types));
    // The call lands on the dual interface's vtable: dispatch() is that
    // interface. A handler of an event it raises may release the control.
    ComPtr<IUnknown> keep(identity());
    return types.vtable->Invoke(dispatch(), id, flags, params, result, excep, argErr);
}

} // namespace pkw::ax
