// The form as a late-bound object (the extender's Parent): Name, hWnd,
// Caption and a Controls collection (Count, Item by 0-based index or by
// name, and _NewEnum) whose members are the controls' extenders, in the
// order the controls were added. The collection is live: it reads the
// form's controls at each call.
#pragma once

#include "host/com_object.h"
#include "host/typeless_dispatch.h"

#include <oaidl.h>

namespace pkw::host {

class Form;

class FormDispatch : public ComObject<FormDispatch, TypelessDispatch> {
public:
    explicit FormDispatch(Form* form) : form_(form) {}
    void orphan() noexcept { form_ = nullptr; }
    Form* form() const noexcept { return form_; }

    STDMETHODIMP GetIDsOfNames(REFIID riid, LPOLESTR* names, UINT count, LCID lcid,
                               DISPID* ids) override;
    STDMETHODIMP Invoke(DISPID id, REFIID riid, LCID lcid, WORD flags, DISPPARAMS* params,
                        VARIANT* result, EXCEPINFO* excep, UINT* argErr) override;
    void* find(REFIID riid) noexcept;

private:
    Form* form_;
};

class ControlsCollection : public ComObject<ControlsCollection, TypelessDispatch> {
public:
    explicit ControlsCollection(ComPtr<FormDispatch> owner) : owner_(std::move(owner)) {}

    STDMETHODIMP GetIDsOfNames(REFIID riid, LPOLESTR* names, UINT count, LCID lcid,
                               DISPID* ids) override;
    STDMETHODIMP Invoke(DISPID id, REFIID riid, LCID lcid, WORD flags, DISPPARAMS* params,
                        VARIANT* result, EXCEPINFO* excep, UINT* argErr) override;
    void* find(REFIID riid) noexcept;

private:
    ComPtr<FormDispatch> owner_;
};

} // namespace pkw::host
