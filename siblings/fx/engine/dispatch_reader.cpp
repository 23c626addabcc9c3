#include "siblings/fx/engine/dispatch_reader.h"

#include "siblings/fx/engine/arguments.h"

#include <algorithm>

namespace pkw::fx {
namespace {

// A property's value by name; VT_EMPTY when it cannot be had.
Variant Get(IDispatch* object, const std::wstring& name, VARIANT* index = nullptr) {
    Variant value;
    if (!object) return value;
    LPOLESTR names[] = {const_cast<LPOLESTR>(name.c_str())};
    DISPID id = DISPID_UNKNOWN;
    if (FAILED(object->GetIDsOfNames(IID_NULL, names, 1, LOCALE_USER_DEFAULT, &id))) return value;
    DISPPARAMS params{index, nullptr, index ? 1u : 0u, 0};
    if (FAILED(object->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_PROPERTYGET, &params,
                              &value, nullptr, nullptr)))
        ::VariantClear(&value);
    return value;
}

std::optional<LONG> AsInt(VARIANT& value) {
    if (value.vt == VT_EMPTY) return std::nullopt;
    // Colours may arrive as unsigned numbers above the signed range.
    if (value.vt == VT_UI4) return LONG(value.ulVal);
    if (FAILED(::VariantChangeType(&value, &value, 0, VT_I4))) return std::nullopt;
    return value.lVal;
}

} // namespace

Variant DispatchReader::Read(const wchar_t* name) const {
    std::wstring full(name);
    for (std::size_t at; (at = full.find(L'%')) != std::wstring::npos;)
        full.replace(at, 1, prefix_);
    return Get(source_, full);
}

LONG DispatchReader::Int(const wchar_t* name, LONG fallback) const {
    Variant value = Read(name);
    return AsInt(value).value_or(fallback);
}

bool DispatchReader::Bool(const wchar_t* name) const {
    return Int(name, 0) != 0;
}

Rgb DispatchReader::Colour(const wchar_t* name, Rgb fallback) const {
    const LONG none = LONG(0x7FFFFFFF); // not a colour: OleTranslateColor refuses it
    return ColourArgument(OLE_COLOR(Int(name, none))).value_or(fallback);
}

std::uint8_t DispatchReader::Alpha(const wchar_t* name, LONG fallback) const {
    return AlphaArgument(Int(name, fallback));
}

Microsoft::WRL::ComPtr<IDispatch> DispatchReader::Object(const wchar_t* name) const {
    const Variant value = Read(name);
    Microsoft::WRL::ComPtr<IDispatch> object;
    if ((value.vt == VT_DISPATCH || value.vt == VT_UNKNOWN) && value.punkVal)
        value.punkVal->QueryInterface(IID_PPV_ARGS(&object));
    return object;
}

std::optional<LONG> DispatchReader::IntAt(IDispatch* object, const wchar_t* name, LONG index) {
    Variant arg = Variant::fromI4(index);
    Variant value = Get(object, name, &arg);
    return AsInt(value);
}

} // namespace pkw::fx
