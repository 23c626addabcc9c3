#include "persistence/key_values.h"

#include "activex/property_bag.h"
#include "common/com/hresult.h"
#include "common/text/unicode_text.h"

#include <algorithm>
#include <span>
#include <string>

namespace pkw::persist {
namespace {

// The text default: three zero bytes. Its length makes it differ from every
// real text, so an empty text is still written.
constexpr std::uint8_t kTextDefault[] = {0, 0, 0};

HRESULT MakeByteArray(std::span<const std::uint8_t> bytes, Variant& out) {
    SAFEARRAY* array = ::SafeArrayCreateVector(VT_UI1, 0, static_cast<ULONG>(bytes.size()));
    PKW_RETURN_HR_IF_NULL(E_OUTOFMEMORY, array);
    if (!bytes.empty()) {
        void* data = nullptr;
        const HRESULT hr = ::SafeArrayAccessData(array, &data);
        if (FAILED(hr)) {
            ::SafeArrayDestroy(array);
            return hr;
        }
        std::copy(bytes.begin(), bytes.end(), static_cast<std::uint8_t*>(data));
        ::SafeArrayUnaccessData(array);
    }
    out.clear();
    out.vt = VT_ARRAY | VT_UI1;
    out.parray = array;
    return S_OK;
}

// VariantChangeType does not change its source; the SDK here declares it
// without const.
HRESULT ChangeType(Variant& out, const VARIANT& in, VARTYPE type) {
    return ::VariantChangeType(&out, const_cast<VARIANT*>(&in), 0, type);
}

VARTYPE TypedVarType(ValueType type) {
    switch (type) {
    case ValueType::Int16:
        return VT_I2;
    case ValueType::Int32:
    case ValueType::Colour:
        return VT_I4;
    case ValueType::Boolean:
        return VT_BOOL;
    case ValueType::Single:
        return VT_R4;
    case ValueType::Object:
        return VT_DISPATCH;
    case ValueType::Text:
        return VT_BSTR;
    }
    return VT_EMPTY;
}

HRESULT ToObject(const VARIANT& in, Variant& out) {
    switch (in.vt) {
    case VT_EMPTY:
    case VT_NULL:
        out = Variant::fromDispatch(nullptr);
        return S_OK;
    case VT_DISPATCH:
        out = Variant::fromDispatch(in.pdispVal);
        return S_OK;
    case VT_UNKNOWN: {
        if (!in.punkVal) {
            out = Variant::fromDispatch(nullptr);
            return S_OK;
        }
        IDispatch* dispatch = nullptr;
        PKW_RETURN_IF_FAILED(in.punkVal->QueryInterface(IID_PPV_ARGS(&dispatch)));
        out = Variant::fromDispatch(dispatch);
        dispatch->Release(); // fromDispatch took its own reference
        return S_OK;
    }
    default:
        return DISP_E_TYPEMISMATCH;
    }
}

} // namespace

// A colour may come back as an unsigned or a wider number (a system
// colour is above LONG_MAX as unsigned): keep its 32 bits.
HRESULT ColourFromStored(const VARIANT& in, Variant& out) {
    Variant converted;
    if (SUCCEEDED(ChangeType(converted, in, VT_I4))) {
        out = converted;
        return S_OK;
    }
    PKW_RETURN_IF_FAILED(ChangeType(converted, in, VT_UI4));
    out = Variant::fromI4(static_cast<LONG>(converted.ulVal));
    return S_OK;
}

HRESULT TextToByteArray(const wchar_t* text, UINT length, Variant& bytes) {
    const std::u16string_view view(reinterpret_cast<const char16_t*>(text ? text : L""),
                                   text ? length : 0);
    return MakeByteArray(text::ToUnicodeBytes(view), bytes);
}

HRESULT ByteArrayToText(const VARIANT& bytes, Variant& text) {
    if (bytes.vt != (VT_ARRAY | VT_UI1) || !bytes.parray) return DISP_E_TYPEMISMATCH;
    SAFEARRAY* array = bytes.parray;
    if (::SafeArrayGetDim(array) != 1) return DISP_E_TYPEMISMATCH;
    LONG lower = 0, upper = -1;
    PKW_RETURN_IF_FAILED(::SafeArrayGetLBound(array, 1, &lower));
    PKW_RETURN_IF_FAILED(::SafeArrayGetUBound(array, 1, &upper));
    const std::size_t count = upper >= lower ? static_cast<std::size_t>(upper - lower + 1) : 0;
    std::u16string decoded;
    if (count > 0) {
        void* data = nullptr;
        PKW_RETURN_IF_FAILED(::SafeArrayAccessData(array, &data));
        decoded = text::FromUnicodeBytes({static_cast<const std::uint8_t*>(data), count});
        ::SafeArrayUnaccessData(array);
    }
    Variant out;
    out.vt = VT_BSTR;
    out.bstrVal = ::SysAllocStringLen(reinterpret_cast<const wchar_t*>(decoded.data()),
                                      static_cast<UINT>(decoded.size()));
    PKW_RETURN_HR_IF_NULL(E_OUTOFMEMORY, out.bstrVal);
    text = out;
    return S_OK;
}

Variant DefaultValue(Key key, IFontDisp* ambientFont) {
    const KeyInfo& info = Describe(key);
    switch (info.type) {
    case ValueType::Int16:
        return Variant::fromI2(static_cast<SHORT>(info.number));
    case ValueType::Int32:
        return Variant::fromI4(static_cast<LONG>(info.number));
    case ValueType::Colour:
        return Variant::fromI4(static_cast<LONG>(static_cast<std::uint32_t>(info.number)));
    case ValueType::Boolean:
        return Variant::fromBool(info.number != 0);
    case ValueType::Single:
        return Variant::fromR4(static_cast<float>(info.number));
    case ValueType::Object:
        return Variant::fromDispatch(info.object == ObjectDefault::AmbientFont ? ambientFont
                                                                               : nullptr);
    case ValueType::Text: {
        Variant bytes;
        if (FAILED(MakeByteArray(kTextDefault, bytes))) bytes.clear();
        return bytes;
    }
    }
    return {};
}

HRESULT FromStored(Key key, const VARIANT& stored, Variant& typed) {
    const ValueType type = Describe(key).type;
    switch (type) {
    case ValueType::Colour:
        return ColourFromStored(stored, typed);
    case ValueType::Object:
        return ToObject(stored, typed);
    case ValueType::Text:
        // The default's three bytes stand for one U+0000, not for a
        // character and a half.
        if (ax::ValuesEqual(stored, DefaultValue(key, nullptr))) {
            Variant nul;
            nul.vt = VT_BSTR;
            nul.bstrVal = ::SysAllocStringLen(L"", 1);
            PKW_RETURN_HR_IF_NULL(E_OUTOFMEMORY, nul.bstrVal);
            typed = nul;
            return S_OK;
        }
        return ByteArrayToText(stored, typed);
    default: {
        Variant converted;
        PKW_RETURN_IF_FAILED(ChangeType(converted, stored, TypedVarType(type)));
        typed = converted;
        return S_OK;
    }
    }
}

HRESULT ToStored(Key key, const VARIANT& typed, Variant& stored) {
    const ValueType type = Describe(key).type;
    switch (type) {
    case ValueType::Colour:
        return ColourFromStored(typed, stored);
    case ValueType::Object:
        return ToObject(typed, stored);
    case ValueType::Text: {
        if (typed.vt != VT_BSTR) return DISP_E_TYPEMISMATCH;
        return TextToByteArray(typed.bstrVal, ::SysStringLen(typed.bstrVal), stored);
    }
    default: {
        Variant converted;
        PKW_RETURN_IF_FAILED(ChangeType(converted, typed, TypedVarType(type)));
        stored = converted;
        return S_OK;
    }
    }
}

} // namespace pkw::persist
