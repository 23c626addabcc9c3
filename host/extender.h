// The extender of one site: the late-bound object a form runtime puts in
// front of a control. It owns Name, Left, Top, Width, Height (twips, as
// singles), Visible, Tag, Parent and Object, and passes every other name
// and DISPID to the control's own IDispatch. IProvideClassInfo answers
// with the control's class, so TypeName() of the extender is the control's
// class name. The extender has no type info of its own: GetTypeInfo of a
// merged object would invite ITypeInfo::Invoke on the wrong vtable.
#pragma once

#include "common/com/variant.h"
#include "host/com_object.h"
#include "host/typeless_dispatch.h"

#include <ocidl.h>

#include <string>

namespace pkw::host {

class Site;

class Extender : public ComObject<Extender, TypelessDispatch, IProvideClassInfo2> {
public:
    Extender(Site* site, std::wstring name, ComPtr<IDispatch> control, ComPtr<IDispatch> parent);
    // The site let go of the control: keep only the name.
    void orphan() noexcept;

    // IDispatch
    STDMETHODIMP GetIDsOfNames(REFIID riid, LPOLESTR* names, UINT count, LCID lcid,
                               DISPID* ids) override;
    STDMETHODIMP Invoke(DISPID id, REFIID riid, LCID lcid, WORD flags, DISPPARAMS* params,
                        VARIANT* result, EXCEPINFO* excep, UINT* argErr) override;
    // IProvideClassInfo2, from the control
    STDMETHODIMP GetClassInfo(ITypeInfo** info) override;
    STDMETHODIMP GetGUID(DWORD kind, GUID* guid) override;

    void* find(REFIID riid) noexcept;

private:
    bool hasParent() const noexcept;
    HRESULT read(DISPID id, Variant& value) const;
    HRESULT write(DISPID id, const VARIANT& value);

    Site* site_;
    std::wstring name_;
    std::wstring tag_;
    ComPtr<IDispatch> control_;
    ComPtr<IDispatch> parent_;
    ComPtr<IProvideClassInfo> classInfo_;
    ComPtr<IProvideClassInfo2> classInfo2_;
};

} // namespace pkw::host
