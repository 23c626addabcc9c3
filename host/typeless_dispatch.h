// IDispatch for the host's hand-built late-bound objects (the site's
// ambient properties, the extender, the form and its Controls, the event
// sink): they answer by name through GetIDsOfNames and Invoke and offer no
// type information, so that no caller runs ITypeInfo::Invoke on them.
#pragma once

#include <oaidl.h>

namespace pkw::host {

class TypelessDispatch : public IDispatch {
public:
    STDMETHODIMP GetTypeInfoCount(UINT* count) override {
        if (!count) return E_POINTER;
        *count = 0;
        return S_OK;
    }
    STDMETHODIMP GetTypeInfo(UINT, LCID, ITypeInfo** info) override {
        if (info) *info = nullptr;
        return E_NOTIMPL;
    }

protected:
    ~TypelessDispatch() = default;
};

} // namespace pkw::host
