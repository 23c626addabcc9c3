// ComObject<Impl>: the IUnknown of this DLL's COM classes, written once.
//
// Impl derives from its COM interfaces and provides
//   void* findInterface(REFIID iid) noexcept   (this, cast to the interface, or null)
// and optionally
//   HRESULT initialize()                       (second-phase construction).
// Every live object holds this DLL in memory (DllCanUnloadNow).
#pragma once

#include "common/com/module.h"

#include <windows.h>
#include <unknwn.h>

#include <concepts>
#include <new>
#include <utility>

namespace pkw::scls {

template <class Impl>
class ComObject final : public Impl {
public:
    template <class... Args>
    explicit ComObject(Args&&... args) : Impl(std::forward<Args>(args)...) {}

    STDMETHODIMP QueryInterface(REFIID iid, void** ppv) noexcept override {
        if (!ppv) return E_POINTER;
        *ppv = this->findInterface(iid);
        if (!*ppv) return E_NOINTERFACE;
        AddRef();
        return S_OK;
    }
    STDMETHODIMP_(ULONG) AddRef() noexcept override { return ::InterlockedIncrement(&refs_); }
    STDMETHODIMP_(ULONG) Release() noexcept override {
        const ULONG left = ::InterlockedDecrement(&refs_);
        if (left == 0) delete this;
        return left;
    }

private:
    LONG refs_ = 1;
    module::ObjectLock moduleLock_;
};

template <class Impl>
concept HasInitialize = requires(Impl& impl) {
    { impl.initialize() } -> std::same_as<HRESULT>;
};

// Creates an object and hands out the interface asked for.
template <class Impl, class... Args>
HRESULT createObject(REFIID iid, void** ppv, Args&&... args) {
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

} // namespace pkw::scls
