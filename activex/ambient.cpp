// Ambient properties of the container and its extender, each with a
// default for containers that give none.
#include "activex/ole_control_impl.h"
#include "activex/variant_ops.h"

#include "common/com/hresult.h"

#include <olectl.h>

namespace pkw::ax {
namespace {

// The answer as a plain value (by-reference answers dereferenced).
bool plain(const Variant& answer, Variant& out) {
    return SUCCEEDED(copyVariantInd(&out, answer));
}

} // namespace

HRESULT OleControlImpl::ambient(DISPID id, Variant& value) const noexcept {
    value.clear();
    if (!site_) return E_FAIL;
    ComPtr<IDispatch> ambients;
    PKW_RETURN_IF_FAILED(site_.As(&ambients));
    DISPPARAMS none{};
    return ambients->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_PROPERTYGET, &none, &value,
                            nullptr, nullptr);
}

ComPtr<IFontDisp> OleControlImpl::defaultFont() noexcept {
    FONTDESC desc{};
    desc.cbSizeofstruct = sizeof(desc);
    desc.lpstrName = const_cast<LPOLESTR>(L"MS Sans Serif");
    desc.cySize.int64 = 8 * 10000; // CY: points with four decimals
    desc.sWeight = FW_NORMAL;
    desc.sCharset = DEFAULT_CHARSET;
    ComPtr<IFontDisp> font;
    if (FAILED(::OleCreateFontIndirect(&desc, IID_IFontDisp,
                                       reinterpret_cast<void**>(font.GetAddressOf()))))
        return nullptr;
    return font;
}

ComPtr<IDispatch> OleControlImpl::extender() const noexcept {
    ComPtr<IDispatch> ext;
    if (controlSite_) ignore(controlSite_->GetExtendedControl(&ext));
    return ext;
}

// --- OleControl ---------------------------------------------------------------

bool OleControl::ambientUserMode() const {
    Variant answer, value;
    if (FAILED(impl_->ambient(DISPID_AMBIENT_USERMODE, answer)) || !plain(answer, value))
        return true;
    switch (value.vt) {
    case VT_BOOL:
        return value.boolVal != VARIANT_FALSE;
    case VT_I2:
    case VT_I4:
    case VT_UI1:
    case VT_INT: {
        Variant asBool;
        if (SUCCEEDED(changeType(&asBool, value, VT_BOOL))) return asBool.boolVal != VARIANT_FALSE;
        return true;
    }
    default:
        return true;
    }
}

std::wstring OleControl::ambientDisplayName() const {
    Variant answer, value;
    if (SUCCEEDED(impl_->ambient(DISPID_AMBIENT_DISPLAYNAME, answer)) && plain(answer, value) &&
        value.vt == VT_BSTR)
        return value.bstrVal ? std::wstring(value.bstrVal, ::SysStringLen(value.bstrVal))
                             : std::wstring();
    return cls_.className ? cls_.className : L"";
}

ComPtr<IFontDisp> OleControl::ambientFont() const {
    Variant answer, value;
    if (SUCCEEDED(impl_->ambient(DISPID_AMBIENT_FONT, answer)) && plain(answer, value) &&
        (value.vt == VT_DISPATCH || value.vt == VT_UNKNOWN) && value.punkVal) {
        // A clone: the control may change its font without touching the form's.
        ComPtr<IFont> font, clone;
        ComPtr<IFontDisp> result;
        if (SUCCEEDED(value.punkVal->QueryInterface(IID_PPV_ARGS(&font))) &&
            SUCCEEDED(font->Clone(&clone)) && clone &&
            SUCCEEDED(clone->QueryInterface(IID_PPV_ARGS(&result))))
            return result;
    }
    return OleControlImpl::defaultFont();
}

ComPtr<IDispatch> OleControl::extender() const {
    return impl_->extender();
}

ComPtr<IOleClientSite> OleControl::clientSite() const {
    ComPtr<IOleClientSite> site;
    impl_->GetClientSite(&site);
    return site;
}

} // namespace pkw::ax
