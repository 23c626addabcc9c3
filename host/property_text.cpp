#include "host/property_text.h"

#include "common/com/hresult.h"
#include "host/ambients.h"
#include "host/dispatch.h"
#include "host/font_text.h"
#include "host/form.h"
#include "host/names.h"
#include "host/picture_data.h"
#include "host/property_types.h"
#include "host/text.h"
#include "host/value_text.h"

namespace pkw::host {
namespace {

bool isNothing(std::wstring_view text) {
    return sameName(text, L"Nothing");
}

bool objectFromText(const ValueType& type, std::wstring_view text, Variant& value,
                    std::wstring& why) {
    value.clear();
    value.vt = type.vt; // a null object for Nothing
    if (isNothing(text)) return true;
    switch (type.kind) {
    case ValueType::Kind::Font: {
        ComPtr<IFontDisp> font;
        if (!parseFont(text, font, why)) return false;
        value = Variant::fromDispatch(font.Get());
        return true;
    }
    case ValueType::Kind::Picture: {
        ComPtr<IPictureDisp> picture;
        const HRESULT hr = loadPictureFile(std::wstring(text), picture);
        if (FAILED(hr)) {
            why = L"no picture from \"" + std::wstring(text) + L"\" (" + hexResult(hr) + L")";
            return false;
        }
        value = Variant::fromDispatch(picture.Get());
        return true;
    }
    default:
        why = L"an object of this kind can only be Nothing";
        return false;
    }
}

} // namespace

bool valueFromText(const ValueType& type, std::wstring_view text, Variant& value,
                   std::wstring& why) {
    why.clear();
    if (type.vt == VT_DISPATCH || type.vt == VT_UNKNOWN)
        return objectFromText(type, text, value, why);
    if (type.vt == VT_BSTR || type.vt == VT_VARIANT) {
        value.clear();
        value.vt = VT_BSTR;
        value.bstrVal = ::SysAllocStringLen(text.data(), static_cast<UINT>(text.size()));
        return value.bstrVal != nullptr;
    }
    LONG member = 0;
    if (type.kind == ValueType::Kind::Enum && enumMember(type.info.Get(), text, member)) {
        value = Variant::fromI4(member);
        return true;
    }
    if (isScalar(type.vt)) return parseScalar(type.vt, text, value, why);
    why = L"a value of type " + std::to_wstring(type.vt) + L" cannot be given as text";
    return false;
}

HRESULT putPropertyText(IDispatch* target, ITypeInfo* types, std::wstring_view name,
                        std::wstring_view text, std::wstring& why) {
    why.clear();
    const std::wstring member(name);
    DISPID id = DISPID_UNKNOWN;
    HRESULT hr = dispId(target, member.c_str(), id);
    if (FAILED(hr)) {
        why = member + L": no such property";
        return hr;
    }
    PropertyType declared;
    if (!types || FAILED(propertyType(types, id, declared))) declared.type.vt = VT_BSTR;
    Variant value;
    if (!valueFromText(declared.type, text, value, why)) {
        why = member + L": " + why;
        return DISP_E_TYPEMISMATCH;
    }
    const bool object = value.vt == VT_DISPATCH || value.vt == VT_UNKNOWN;
    const WORD flags =
        object && declared.byReference ? DISPATCH_PROPERTYPUTREF : DISPATCH_PROPERTYPUT;
    hr = invoke(target, id, flags, {&value, 1}, nullptr);
    if (FAILED(hr)) {
        why = member + L" = " + std::wstring(text) + L" failed (" + hexResult(hr) + L")";
        if (!lastDispatchError().empty()) why += L": " + lastDispatchError();
    }
    return hr;
}

HRESULT setAmbientText(Form& form, std::wstring_view name, std::wstring_view text,
                       std::wstring& why) {
    why.clear();
    const AmbientProperty* ambient = findAmbient(name);
    if (!ambient) {
        why = std::wstring(name) + L": not an ambient property of the form";
        return DISP_E_UNKNOWNNAME;
    }
    Variant current;
    const HRESULT known = readAmbient(form.ambients(), L"", ambient->id, current);
    if (FAILED(known)) {
        why = std::wstring(name) + L": the form does not offer it now";
        return known;
    }
    ValueType type{current.vt, ValueType::Kind::Plain, nullptr};
    if (current.vt == VT_DISPATCH) type.kind = ValueType::Kind::Font; // the only object ambient
    Variant value;
    if (!valueFromText(type, text, value, why)) {
        why = std::wstring(name) + L": " + why;
        return DISP_E_TYPEMISMATCH;
    }
    form.setAmbient(ambient->id, value);
    return S_OK;
}

} // namespace pkw::host
