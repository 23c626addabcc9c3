// IDispatch of the default interface, served by the type library.
#include "activex/ole_control_impl.h"

namespace pkw::ax {

HRESULT OleControl::getTypeInfoCount(UINT* count) noexcept {
    if (!count) return E_POINTER;
    *count = 1;
    return S_OK;
}

HRESULT OleControl::getTypeInfo(UINT index, LCID, ITypeInfo** info) noexcept {
    return impl_->typeInfo_.getTypeInfo(index, info);
}

HRESULT OleControl::getIDsOfNames(REFIID riid, LPOLESTR* names, UINT count, LCID,
                                  DISPID* ids) noexcept {
    impl_->initialize();
    return impl_->typeInfo_.getIDsOfNames(riid, names, count, ids);
}

HRESULT OleControl::invoke(DISPID id, REFIID riid, LCID, WORD flags, DISPPARAMS* params,
                           VARIANT* result, EXCEPINFO* excep, UINT* argErr) noexcept {
    impl_->initialize();
    // The call lands on the dual interface's vtable: dispatch() is that
    // interface. A handler of an event it raises may release the control.
    const ComPtr<IUnknown> keep(identity());
    return impl_->typeInfo_.invoke(dispatch(), id, riid, flags, params, result, excep, argErr);
}

} // namespace pkw::ax
