// IDispatch of a dual interface, served from the module's type library:
// names and DISPIDs come from the dispatch description, calls go through
// ITypeInfo::Invoke on the object's own vtable. Loaded on the first
// late-bound call, so vtable callers never pay for it.
//
//   DualTypeInfo     the four IDispatch operations for one interface
//   DualDispatch<I>  IDispatch of I, for a class that derives from I
#pragma once

#include <oaidl.h>
#include <windows.h>
#include <wrl/client.h>

namespace pkw::com {

class DualTypeInfo {
public:
    // iid may be null: every call then fails with E_NOTIMPL.
    explicit DualTypeInfo(const IID* iid) noexcept : iid_(iid) {}

    HRESULT getTypeInfo(UINT index, ITypeInfo** info) noexcept;
    HRESULT getIDsOfNames(REFIID riid, LPOLESTR* names, UINT count, DISPID* ids) noexcept;
    // `object` is the interface pointer whose vtable the call lands on.
    HRESULT invoke(void* object, DISPID id, REFIID riid, WORD flags, DISPPARAMS* params,
                   VARIANT* result, EXCEPINFO* excep, UINT* argErr) noexcept;
    // The DISPID of a member by name (any case), or DISPID_UNKNOWN.
    DISPID idOf(const wchar_t* name) noexcept;

private:
    HRESULT load() noexcept;

    const IID* iid_;
    Microsoft::WRL::ComPtr<ITypeInfo> dispatch_;
    Microsoft::WRL::ComPtr<ITypeInfo> vtable_;
};

template <class I>
class DualDispatch : public I {
public:
    STDMETHODIMP GetTypeInfoCount(UINT* count) noexcept override {
        if (!count) return E_POINTER;
        *count = 1;
        return S_OK;
    }
    STDMETHODIMP GetTypeInfo(UINT index, LCID, ITypeInfo** info) noexcept override {
        return types_.getTypeInfo(index, info);
    }
    STDMETHODIMP GetIDsOfNames(REFIID riid, LPOLESTR* names, UINT count, LCID,
                               DISPID* ids) noexcept override {
        return types_.getIDsOfNames(riid, names, count, ids);
    }
    STDMETHODIMP Invoke(DISPID id, REFIID riid, LCID, WORD flags, DISPPARAMS* params,
                        VARIANT* result, EXCEPINFO* excep, UINT* argErr) noexcept override {
        return types_.invoke(static_cast<I*>(this), id, riid, flags, params, result, excep, argErr);
    }

private:
    DualTypeInfo types_{&__uuidof(I)};
};

} // namespace pkw::com
