#include "host/extender.h"
#include "host/variant_slot.h"

#include "common/com/hresult.h"
#include "host/dispatch_table.h"
#include "host/form.h"
#include "host/site.h"
#include "host/units.h"

#include <olectl.h>

#include <cmath>

namespace pkw::host {
namespace {

// Outside the ranges a control uses for its own members.
constexpr DISPID kLeft = static_cast<DISPID>(0x80010100);
constexpr DISPID kTop = static_cast<DISPID>(0x80010101);
constexpr DISPID kWidth = static_cast<DISPID>(0x80010102);
constexpr DISPID kHeight = static_cast<DISPID>(0x80010103);
constexpr DISPID kVisible = static_cast<DISPID>(0x80010104);
constexpr DISPID kTag = static_cast<DISPID>(0x80010105);

const DispName kNames[] = {
    {DISPID_Name, L"Name"},
    {DISPID_Object, L"Object"},
    {DISPID_Parent, L"Parent"},
    {kLeft, L"Left"},
    {kTop, L"Top"},
    {kWidth, L"Width"},
    {kHeight, L"Height"},
    {kVisible, L"Visible"},
    {kTag, L"Tag"},
};

bool writable(DISPID id) {
    return id == kLeft || id == kTop || id == kWidth || id == kHeight || id == kVisible ||
           id == kTag;
}

Variant twips(LONG value) {
    return Variant::fromR4(static_cast<float>(value));
}

} // namespace

Extender::Extender(Site* site, std::wstring name, ComPtr<IDispatch> control,
                   ComPtr<IDispatch> parent)
    : site_(site), name_(std::move(name)), control_(std::move(control)),
      parent_(std::move(parent)) {
    if (control_) {
        control_.As(&classInfo_);
        control_.As(&classInfo2_);
    }
}

void Extender::orphan() noexcept {
    site_ = nullptr;
    control_.Reset();
    classInfo_.Reset();
    classInfo2_.Reset();
}

// Some hosts' extenders have no Parent at all; the form can play one.
bool Extender::hasParent() const noexcept {
    const Form* form = site_ ? site_->form() : nullptr;
    return parent_ && (!form || form->behaviour().extenderParent);
}

void* Extender::find(REFIID riid) noexcept {
    if (riid == IID_IUnknown || riid == IID_IDispatch) return static_cast<IDispatch*>(this);
    if (riid == IID_IProvideClassInfo && classInfo_) return static_cast<IProvideClassInfo2*>(this);
    if (riid == IID_IProvideClassInfo2 && classInfo2_)
        return static_cast<IProvideClassInfo2*>(this);
    return nullptr;
}

STDMETHODIMP Extender::GetIDsOfNames(REFIID riid, LPOLESTR* names, UINT count, LCID lcid,
                                     DISPID* ids) {
    if (!names || !ids) return E_POINTER;
    if (count == 0) return S_OK;
    const HRESULT own = idsOfNames(kNames, names, 1, ids);
    if (SUCCEEDED(own) && ids[0] == DISPID_Parent && !hasParent()) return DISP_E_UNKNOWNNAME;
    if (SUCCEEDED(own)) return count == 1 ? S_OK : idsOfNames(kNames, names, count, ids);
    // Not ours: the control's own member.
    if (!control_) return DISP_E_UNKNOWNNAME;
    return control_->GetIDsOfNames(riid, names, count, lcid, ids);
}

STDMETHODIMP Extender::Invoke(DISPID id, REFIID riid, LCID lcid, WORD flags, DISPPARAMS* params,
                              VARIANT* result, EXCEPINFO* excep, UINT* argErr) {
    if (!findName(kNames, id)) {
        if (!control_) return DISP_E_MEMBERNOTFOUND;
        return control_->Invoke(id, riid, lcid, flags, params, result, excep, argErr);
    }
    if (isPut(flags)) {
        if (!writable(id)) return DISP_E_MEMBERNOTFOUND;
        Variant value;
        PKW_RETURN_IF_FAILED(putArgument(params, value));
        return write(id, value);
    }
    if (!isGet(flags)) return DISP_E_MEMBERNOTFOUND;
    if (positionalCount(params) != 0) return DISP_E_BADPARAMCOUNT;
    Variant value;
    PKW_RETURN_IF_FAILED(read(id, value));
    if (result) value.detach(result);
    return S_OK;
}

HRESULT Extender::read(DISPID id, Variant& value) const {
    if (id == DISPID_Name) {
        value = Variant::fromString(name_.c_str());
        return S_OK;
    }
    if (id == kTag) {
        value = Variant::fromString(tag_.c_str());
        return S_OK;
    }
    if (!site_) return E_UNEXPECTED;
    const RECT& r = site_->rect();
    switch (id) {
    case DISPID_Object:
        value = Variant::fromDispatch(control_.Get());
        return S_OK;
    case DISPID_Parent:
        if (!hasParent()) return DISP_E_MEMBERNOTFOUND;
        value = Variant::fromDispatch(parent_.Get());
        return S_OK;
    case kLeft:
        value = twips(units::pixelsToTwipsX(r.left));
        return S_OK;
    case kTop:
        value = twips(units::pixelsToTwipsY(r.top));
        return S_OK;
    case kWidth:
        value = twips(units::pixelsToTwipsX(r.right - r.left));
        return S_OK;
    case kHeight:
        value = twips(units::pixelsToTwipsY(r.bottom - r.top));
        return S_OK;
    case kVisible:
        value = Variant::fromBool(site_->visible());
        return S_OK;
    default:
        return DISP_E_MEMBERNOTFOUND;
    }
}

HRESULT Extender::write(DISPID id, const VARIANT& value) {
    if (id == kTag) {
        Variant text;
        PKW_RETURN_IF_FAILED(convertValue(text, value, VT_BSTR));
        tag_ = text.bstrVal ? text.bstrVal : L"";
        return S_OK;
    }
    if (!site_) return E_UNEXPECTED;
    if (id == kVisible) {
        Variant flag;
        PKW_RETURN_IF_FAILED(convertValue(flag, value, VT_BOOL));
        site_->setVisible(flag.boolVal != VARIANT_FALSE);
        return S_OK;
    }
    Variant number;
    PKW_RETURN_IF_FAILED(convertValue(number, value, VT_R8));
    const LONG t = static_cast<LONG>(std::lround(number.dblVal));
    RECT r = site_->rect();
    const LONG width = r.right - r.left;
    const LONG height = r.bottom - r.top;
    switch (id) {
    case kLeft:
        r.left = units::twipsToPixelsX(t);
        r.right = r.left + width;
        break;
    case kTop:
        r.top = units::twipsToPixelsY(t);
        r.bottom = r.top + height;
        break;
    case kWidth:
        if (t < 0) return CTL_E_INVALIDPROPERTYVALUE;
        r.right = r.left + units::twipsToPixelsX(t);
        break;
    case kHeight:
        if (t < 0) return CTL_E_INVALIDPROPERTYVALUE;
        r.bottom = r.top + units::twipsToPixelsY(t);
        break;
    default:
        return DISP_E_MEMBERNOTFOUND;
    }
    return site_->move(r);
}

STDMETHODIMP Extender::GetClassInfo(ITypeInfo** info) {
    if (!info) return E_POINTER;
    *info = nullptr;
    return classInfo_ ? classInfo_->GetClassInfo(info) : E_UNEXPECTED;
}

STDMETHODIMP Extender::GetGUID(DWORD kind, GUID* guid) {
    if (!guid) return E_POINTER;
    *guid = GUID_NULL;
    return classInfo2_ ? classInfo2_->GetGUID(kind, guid) : E_UNEXPECTED;
}

} // namespace pkw::host
