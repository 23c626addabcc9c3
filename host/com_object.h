// A small base for the container's own COM objects: one reference count,
// QueryInterface answered by the derived class's find(), creation through
// makeCom. The test container implements many small interfaces by hand, so
// this keeps each object down to its interface table and its methods.
#pragma once

#include "common/com/com_ptr.h"

#include <unknwn.h>
#include <windows.h>
#include <wrl/client.h>

#include <utility>

namespace pkw::host {

using Microsoft::WRL::ComPtr;

// Derived classes list their interfaces as bases and define
//   void* find(REFIID riid) noexcept;
// returning the interface pointer for riid (IUnknown included) or null.
template <typename Derived, typename... Interfaces>
class ComObject : public Interfaces... {
public:
    ComObject() = default;
    ComObject(const ComObject&) = delete;
    ComObject& operator=(const ComObject&) = delete;
    virtual ~ComObject() = default;

    STDMETHODIMP QueryInterface(REFIID riid, void** ppv) override {
        if (!ppv) return E_POINTER;
        *ppv = static_cast<Derived*>(this)->find(riid);
        if (!*ppv) return E_NOINTERFACE;
        AddRef();
        return S_OK;
    }
    STDMETHODIMP_(ULONG) AddRef() override { return ::InterlockedIncrement(&refs_); }
    STDMETHODIMP_(ULONG) Release() override {
        const ULONG left = ::InterlockedDecrement(&refs_);
        if (left == 0) delete this;
        return left;
    }

private:
    LONG refs_ = 1;
};

// Creates a COM object with one reference, owned by the returned pointer.
template <typename T, typename... Args>
ComPtr<T> makeCom(Args&&... args) {
    return Adopt(new T(std::forward<Args>(args)...));
}

} // namespace pkw::host
