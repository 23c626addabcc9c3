// The COM identity of a control with a dual interface, written once: the
// dual interface is the identity and IDispatch, the dispatch calls go to
// the plumbing's type-library dispatch, further interfaces of the control's
// own (ISubclass, ...) come from ownInterface, and the plumbing answers the
// OLE ones.
//
//   class NuThing final : public ax::DualControl<ax::OleControl, INuThing, ISubclass> {
//       void* ownInterface(REFIID riid) noexcept override;  // ISubclass
//       ... the INuThing and ISubclass methods, the hooks ...
//   };
#pragma once

#include "activex/ole_control.h"

namespace pkw::ax {

template <class Base, class Dual, class... Own>
class DualControl : public Base, public Dual, public Own... {
public:
    using Base::Base;

    // IUnknown
    STDMETHODIMP QueryInterface(REFIID riid, void** ppv) override {
        if (!ppv) return E_POINTER;
        if (riid == IID_IUnknown || riid == IID_IDispatch ||
            riid == *this->controlClass().defaultInterface) {
            *ppv = static_cast<Dual*>(this);
        } else if (void* own = ownInterface(riid)) {
            *ppv = own;
        } else {
            return this->queryOleInterface(riid, ppv);
        }
        this->addRef();
        return S_OK;
    }
    STDMETHODIMP_(ULONG) AddRef() override { return this->addRef(); }
    STDMETHODIMP_(ULONG) Release() override { return this->release(); }

    // IDispatch, from the type library that describes Dual
    STDMETHODIMP GetTypeInfoCount(UINT* count) override { return this->getTypeInfoCount(count); }
    STDMETHODIMP GetTypeInfo(UINT index, LCID lcid, ITypeInfo** info) override {
        return this->getTypeInfo(index, lcid, info);
    }
    STDMETHODIMP GetIDsOfNames(REFIID riid, LPOLESTR* names, UINT count, LCID lcid,
                               DISPID* ids) override {
        return this->getIDsOfNames(riid, names, count, lcid, ids);
    }
    STDMETHODIMP Invoke(DISPID id, REFIID riid, LCID lcid, WORD flags, DISPPARAMS* params,
                        VARIANT* result, EXCEPINFO* excep, UINT* argErr) override {
        return this->invoke(id, riid, lcid, flags, params, result, excep, argErr);
    }

    IDispatch* dispatch() noexcept override { return static_cast<Dual*>(this); }

protected:
    // The control's own further interface for `riid`, not yet AddRef'd; null
    // for one it does not have.
    virtual void* ownInterface(REFIID riid) noexcept = 0;
};

} // namespace pkw::ax
