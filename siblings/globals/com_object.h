// The COM plumbing of this DLL's classes, written once.
//
//   ComObject<Impl>       IUnknown: reference count, QueryInterface through
//                         Impl::findInterface, holds the DLL while alive
//   createObject<Impl>    new object, optional Impl::initialize(), interface out
//   DualDispatch<I>       IDispatch of a dual interface through the type library
#pragma once

#include "common/com/hresult.h"
#include "common/com/module.h"
#include "siblings/globals/type_library.h"

#include <oaidl.h>
#include <windows.h>
#include <wrl/client.h>

#include <concepts>
#include <new>
#include <utility>

namespace pkw::globals {

using Microsoft::WRL::ComPtr;

template <class Impl>
class ComObject final : public Impl {
public:
    template <class... Args>
    explicit ComObject(Args&&... args) : Impl(std::forward<Args>(args)...) {}

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** ppv) noexcept override {
        if (!ppv) return E_POINTER;
        *ppv = this->findInterface(iid);
        if (!*ppv) return E_NOINTERFACE;
        AddRef();
        return S_OK;
    }
    ULONG STDMETHODCALLTYPE AddRef() noexcept override { return ::InterlockedIncrement(&refs_); }
    ULONG STDMETHODCALLTYPE Release() noexcept override {
        const LONG left = ::InterlockedDecrement(&refs_);
        if (left == 0) delete this;
        return static_cast<ULONG>(left);
    }

private:
    LONG refs_ = 1;
    module::ObjectLock moduleLock_;
};

template <class Impl>
concept HasInitialize = requires(Impl& impl) {
    { impl.initialize() } -> std::same_as<HRESULT>;
};

template <class Impl, class... Args>
HRESULT createObject(REFIID iid, void** ppv, Args&&... args) noexcept {
    if (!ppv) return E_POINTER;
    *ppv = nullptr;
    auto* object = new (std::nothrow) ComObject<Impl>(std::forward<Args>(args)...);
    if (!object) return E_OUTOFMEMORY;
    HRESULT hr = S_OK;
    if constexpr (HasInitialize<Impl>) hr = object->initialize();
    if (SUCCEEDED(hr)) hr = object->QueryInterface(iid, ppv);
    object->Release();
    return hr;
}

// IDispatch of the dual interface I: names and DISPIDs from its dispatch
// description, calls through ITypeInfo::Invoke on the object's own vtable.
template <class I>
class DualDispatch : public I {
public:
    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) noexcept override {
        if (!count) return E_POINTER;
        *count = 1;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT index, LCID, ITypeInfo** info) noexcept override {
        if (!info) return E_POINTER;
        *info = nullptr;
        if (index != 0) return DISP_E_BADINDEX;
        PKW_RETURN_IF_FAILED(ensureTypeInfo());
        return dispatchInfo_.CopyTo(info);
    }
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID riid, LPOLESTR* names, UINT count, LCID,
                                            DISPID* ids) noexcept override {
        if (riid != IID_NULL) return DISP_E_UNKNOWNINTERFACE;
        PKW_RETURN_IF_FAILED(ensureTypeInfo());
        return dispatchInfo_->GetIDsOfNames(names, count, ids);
    }
    HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID riid, LCID, WORD flags, DISPPARAMS* params,
                                     VARIANT* result, EXCEPINFO* excep,
                                     UINT* argErr) noexcept override {
        if (riid != IID_NULL) return DISP_E_UNKNOWNINTERFACE;
        PKW_RETURN_IF_FAILED(ensureTypeInfo());
        const HRESULT hr =
            vtableInfo_->Invoke(static_cast<I*>(this), id, flags, params, result, excep, argErr);
        // oleaut32 turns an object argument into the parameter's interface by
        // QueryInterface; an object without that interface is of the wrong type.
        return hr == E_NOINTERFACE ? DISP_E_TYPEMISMATCH : hr;
    }

private:
    // Loaded on the first late-bound call: vtable callers never pay for it.
    HRESULT ensureTypeInfo() noexcept {
        if (vtableInfo_) return S_OK;
        ComPtr<ITypeInfo> dispatchInfo;
        PKW_RETURN_IF_FAILED(loadTypeInfo(__uuidof(I), &dispatchInfo));
        ComPtr<ITypeInfo> vtableInfo = dispatchInfo;
        HREFTYPE ref = 0;
        if (SUCCEEDED(dispatchInfo->GetRefTypeOfImplType(static_cast<UINT>(-1), &ref)))
            PKW_RETURN_IF_FAILED(dispatchInfo->GetRefTypeInfo(ref, &vtableInfo));
        dispatchInfo_ = std::move(dispatchInfo);
        vtableInfo_ = std::move(vtableInfo);
        return S_OK;
    }

    ComPtr<ITypeInfo> dispatchInfo_;
    ComPtr<ITypeInfo> vtableInfo_;
};

} // namespace pkw::globals
