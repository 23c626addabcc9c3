#include "siblings/fx/engine/dispatch_reader.h"

#include "siblings/fx/engine/arguments.h"

#include <algorithm>
#include <map>
#include <mutex>

namespace pkw::fx {
namespace {

// The type an object's names belong to: the GUID of its type information,
// or none for an object without any.
std::optional<GUID> TypeOf(IDispatch* object) {
    Microsoft::WRL::ComPtr<ITypeInfo> info;
    TYPEATTR* attr = nullptr;
    if (!object || FAILED(object->GetTypeInfo(0, LOCALE_USER_DEFAULT, &info)) || !info ||
        FAILED(info->GetTypeAttr(&attr)) || !attr)
        return std::nullopt;
    const GUID guid = attr->guid;
    info->ReleaseTypeAttr(attr);
    return guid;
}

// Every object of one type answers a name with the same DISPID: each name
// is looked up once per type, not on every drawing (the type library's name
// search is most of a text layer's cost).
DISPID IdOf(IDispatch* object, const std::optional<GUID>& type, const std::wstring& name) {
    static std::mutex guard;
    static std::map<std::pair<std::wstring, std::wstring>, DISPID> known;
    wchar_t guid[40] = {};
    if (type) ::StringFromGUID2(*type, guid, 40);
    const auto key = std::make_pair(std::wstring(guid), name);
    if (type) {
        const std::lock_guard lock(guard);
        if (const auto found = known.find(key); found != known.end()) return found->second;
    }
    LPOLESTR names[] = {const_cast<LPOLESTR>(name.c_str())};
    DISPID id = DISPID_UNKNOWN;
    if (FAILED(object->GetIDsOfNames(IID_NULL, names, 1, LOCALE_USER_DEFAULT, &id)))
        return DISPID_UNKNOWN;
    if (type) {
        const std::lock_guard lock(guard);
        known.emplace(key, id);
    }
    return id;
}

// A property's value by name; VT_EMPTY when it cannot be had.
Variant Get(IDispatch* object, const std::optional<GUID>& type, const std::wstring& name,
            VARIANT* index = nullptr) {
    Variant value;
    if (!object) return value;
    const DISPID id = IdOf(object, type, name);
    if (id == DISPID_UNKNOWN) return value;
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

DispatchReader::DispatchReader(IDispatch* source, std::wstring prefix)
    : source_(source), prefix_(std::move(prefix)), type_(TypeOf(source)) {}

Variant DispatchReader::Read(const wchar_t* name) const {
    std::wstring full(name);
    for (std::size_t at; (at = full.find(L'%')) != std::wstring::npos;)
        full.replace(at, 1, prefix_);
    return Get(source_, type_, full);
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
    Variant value = Get(object, TypeOf(object), name, &arg);
    return AsInt(value);
}

} // namespace pkw::fx
