// IDispatch for the dual interfaces, served from the type library that is
// embedded in this DLL (resource TYPELIB 1; no registration needed).
#pragma once

#include "common/com/hresult.h"

#include <oaidl.h>
#include <windows.h>
#include <wrl/client.h>

namespace pkw::scls {

using Microsoft::WRL::ComPtr;

HRESULT loadTypeLibrary(ITypeLib** library);
// The type information of an interface or class of the library.
HRESULT loadTypeInfo(REFGUID guid, ITypeInfo** info);

// Implements IDispatch of a dual interface I: names and ids come from its
// dispatch description, calls go through the vtable description
// (ITypeInfo::Invoke on the object's own I).
template <class I>
class Dual : public I {
public:
    STDMETHODIMP GetTypeInfoCount(UINT* count) noexcept override {
        if (!count) return E_POINTER;
        *count = 1;
        return S_OK;
    }
    STDMETHODIMP GetTypeInfo(UINT index, LCID, ITypeInfo** info) noexcept override {
        if (!info) return E_POINTER;
        *info = nullptr;
        if (index != 0) return DISP_E_BADINDEX;
        PKW_RETURN_IF_FAILED(ensureTypeInfo());
        return dispatchInfo_.CopyTo(info);
    }
    STDMETHODIMP GetIDsOfNames(REFIID riid, LPOLESTR* names, UINT count, LCID,
                               DISPID* ids) noexcept override {
        if (riid != IID_NULL) return DISP_E_UNKNOWNINTERFACE;
        PKW_RETURN_IF_FAILED(ensureTypeInfo());
        return dispatchInfo_->GetIDsOfNames(names, count, ids);
    }
    STDMETHODIMP Invoke(DISPID id, REFIID riid, LCID, WORD flags, DISPPARAMS* params,
                        VARIANT* result, EXCEPINFO* excep, UINT* argErr) noexcept override {
        if (riid != IID_NULL) return DISP_E_UNKNOWNINTERFACE;
        PKW_RETURN_IF_FAILED(ensureTypeInfo());
        return vtableInfo_->Invoke(static_cast<I*>(this), id, flags, params, result, excep, argErr);
    }

private:
    // Loaded on the first late-bound call: early-bound callers never pay.
    HRESULT ensureTypeInfo() noexcept {
        if (vtableInfo_) return S_OK;
        ComPtr<ITypeInfo> dispatchInfo;
        PKW_RETURN_IF_FAILED(loadTypeInfo(__uuidof(I), &dispatchInfo));
        ComPtr<ITypeInfo> vtableInfo = dispatchInfo;
        HREFTYPE ref = 0;
        if (SUCCEEDED(dispatchInfo->GetRefTypeOfImplType(static_cast<UINT>(-1), &ref))) {
            PKW_RETURN_IF_FAILED(dispatchInfo->GetRefTypeInfo(ref, &vtableInfo));
        }
        dispatchInfo_ = dispatchInfo;
        vtableInfo_ = vtableInfo;
        return S_OK;
    }

    ComPtr<ITypeInfo> dispatchInfo_;
    ComPtr<ITypeInfo> vtableInfo_;
};

} // namespace pkw::scls
