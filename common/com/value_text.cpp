#include "common/com/value_text.h"

#include "common/com/hresult.h"

#include <ocidl.h>
#include <olectl.h>
#include <wrl/client.h>

#include <charconv>
#include <cstdint>
#include <cstring>
#include <cwchar>
#include <cwctype>
#include <limits>

namespace pkw::com {
namespace {

struct IntegerType {
    VARTYPE vt;
    int bytes;
    bool isSigned;
};

constexpr IntegerType kIntegers[] = {
    {VT_I1, 1, true}, {VT_UI1, 1, false}, {VT_I2, 2, true},  {VT_UI2, 2, false},
    {VT_I4, 4, true}, {VT_UI4, 4, false}, {VT_INT, 4, true}, {VT_UINT, 4, false},
    {VT_I8, 8, true}, {VT_UI8, 8, false},
};

const IntegerType* integerType(VARTYPE vt) {
    for (const IntegerType& t : kIntegers)
        if (t.vt == vt) return &t;
    return nullptr;
}

wchar_t hexDigit(unsigned v) {
    return L"0123456789abcdef"[v & 0xF];
}

int hexValue(wchar_t c) {
    if (c >= L'0' && c <= L'9') return c - L'0';
    if (c >= L'a' && c <= L'f') return c - L'a' + 10;
    if (c >= L'A' && c <= L'F') return c - L'A' + 10;
    return -1;
}

// The characters written as a backslash and a letter; others below U+0020
// (and unpaired surrogates) as \uXXXX.
struct Escape {
    wchar_t character;
    wchar_t letter;
};

constexpr Escape kEscapes[] = {
    {L'"', L'"'}, {L'\\', L'\\'}, {L'\n', L'n'}, {L'\r', L'r'}, {L'\t', L't'},
};

const Escape* escapeOf(wchar_t c, wchar_t Escape::*side) {
    for (const Escape& e : kEscapes)
        if (e.*side == c) return &e;
    return nullptr;
}

bool isHighSurrogate(wchar_t c) {
    return c >= 0xD800 && c <= 0xDBFF;
}
bool isLowSurrogate(wchar_t c) {
    return c >= 0xDC00 && c <= 0xDFFF;
}

// The ASCII text of a number, or nothing when there is anything else.
bool asciiOf(std::wstring_view text, std::string& out) {
    out.clear();
    for (wchar_t c : text) {
        if (c <= 0x20 || c >= 0x7F) return false;
        out.push_back(static_cast<char>(c));
    }
    return !out.empty();
}

std::wstring widen(std::string_view ascii) {
    return std::wstring(ascii.begin(), ascii.end());
}

bool sameWord(std::wstring_view a, std::wstring_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (std::towlower(a[i]) != std::towlower(b[i])) return false;
    return true;
}

// The bits of an integer of `type` written in decimal or hex.
bool parseInteger(const IntegerType& type, std::wstring_view text, std::uint64_t& bits,
                  std::wstring& why) {
    std::string ascii;
    if (!asciiOf(text, ascii)) {
        why = L"\"" + std::wstring(text) + L"\" is not a number";
        return false;
    }
    const int width = type.bytes * 8;
    const std::uint64_t mask = width == 64 ? ~0ull : (1ull << width) - 1;
    std::string_view digits = ascii;
    const bool hex = digits.starts_with("0x") || digits.starts_with("0X") ||
                     digits.starts_with("&H") || digits.starts_with("&h");
    if (hex) {
        digits.remove_prefix(2);
        if (digits.ends_with('&')) digits.remove_suffix(1); // VB's long suffix
        std::uint64_t v = 0;
        const auto [end, ec] = std::from_chars(digits.data(), digits.data() + digits.size(), v, 16);
        if (digits.empty() || ec != std::errc() || end != digits.data() + digits.size() ||
            (v & ~mask) != 0) {
            why = L"\"" + std::wstring(text) + L"\" is not a " + std::to_wstring(width) +
                  L"-bit hex number";
            return false;
        }
        bits = v;
        return true;
    }
    const bool negative = digits.starts_with('-');
    if (negative || digits.starts_with('+')) digits.remove_prefix(1);
    std::uint64_t magnitude = 0;
    const auto [end, ec] =
        std::from_chars(digits.data(), digits.data() + digits.size(), magnitude, 10);
    const bool parsed =
        !digits.empty() && ec == std::errc() && end == digits.data() + digits.size();
    const std::uint64_t highest = type.isSigned ? mask >> 1 : mask;
    const std::uint64_t lowest = type.isSigned ? (mask >> 1) + 1 : 0; // magnitude of the minimum
    if (!parsed || (negative ? magnitude > lowest : magnitude > highest)) {
        why = L"\"" + std::wstring(text) + L"\" is not a number of this type (" +
              (type.isSigned ? L"" : L"un") + L"signed, " + std::to_wstring(width) + L" bits)";
        return false;
    }
    bits = (negative ? ~magnitude + 1 : magnitude) & mask;
    return true;
}

template <typename T>
bool parseFloat(std::wstring_view text, T& out, std::wstring& why) {
    std::string ascii;
    const char* end = nullptr;
    std::errc ec = std::errc::invalid_argument;
    if (asciiOf(text, ascii)) {
        std::string_view digits = ascii;
        if (digits.starts_with('+')) digits.remove_prefix(1); // from_chars takes no '+'
        const auto result = std::from_chars(digits.data(), digits.data() + digits.size(), out);
        end = result.ptr == digits.data() + digits.size() ? result.ptr : nullptr;
        ec = result.ec;
    }
    if (ec != std::errc() || !end) {
        why = L"\"" + std::wstring(text) + L"\" is not a number";
        return false;
    }
    return true;
}

template <typename T>
std::wstring formatFloat(T value) {
    char text[64];
    const auto [end, ec] = std::to_chars(text, text + sizeof text, value);
    return ec == std::errc() ? widen({text, end}) : std::wstring();
}

// Currency: a 64-bit count of ten-thousandths.
std::wstring formatCurrency(LONGLONG units) {
    const bool negative = units < 0;
    const std::uint64_t magnitude =
        negative ? ~static_cast<std::uint64_t>(units) + 1 : static_cast<std::uint64_t>(units);
    std::wstring text = std::to_wstring(magnitude / 10000);
    std::uint64_t fraction = magnitude % 10000;
    if (fraction != 0) {
        std::wstring digits = std::to_wstring(fraction + 10000).substr(1);
        while (digits.back() == L'0')
            digits.pop_back();
        text += L"." + digits;
    }
    return negative ? L"-" + text : text;
}

bool parseCurrency(std::wstring_view text, LONGLONG& units, std::wstring& why) {
    const std::size_t dot = text.find(L'.');
    const std::wstring_view whole = text.substr(0, dot);
    std::wstring_view fraction = dot == std::wstring_view::npos ? L"" : text.substr(dot + 1);
    std::uint64_t bits = 0;
    const IntegerType i8{VT_I8, 8, true};
    bool ok = fraction.size() <= 4 && parseInteger(i8, whole, bits, why) &&
              !whole.starts_with(L"0x") && !whole.starts_with(L"&");
    LONGLONG value = static_cast<LONGLONG>(bits);
    LONGLONG fractionUnits = 0;
    for (std::size_t i = 0; ok && i < 4; ++i) {
        const wchar_t c = i < fraction.size() ? fraction[i] : L'0';
        ok = c >= L'0' && c <= L'9';
        fractionUnits = fractionUnits * 10 + (c - L'0');
    }
    const bool negative = whole.starts_with(L'-');
    const LONGLONG limit = std::numeric_limits<LONGLONG>::max() / 10000;
    ok = ok && value <= limit && value >= -limit;
    if (!ok) {
        why = L"\"" + std::wstring(text) + L"\" is not an amount with up to four decimals";
        return false;
    }
    units = value * 10000 + (negative ? -fractionUnits : fractionUnits);
    return true;
}

} // namespace

std::wstring quoteText(std::wstring_view text) {
    std::wstring out = L"\"";
    for (std::size_t i = 0; i < text.size(); ++i) {
        const wchar_t c = text[i];
        const bool pairs = isHighSurrogate(c) && i + 1 < text.size() && isLowSurrogate(text[i + 1]);
        if (pairs) {
            out += c;
            out += text[++i];
            continue;
        }
        if (const Escape* e = escapeOf(c, &Escape::character)) {
            out += L'\\';
            out += e->letter;
            continue;
        }
        if (c < 0x20 || c == 0x7F || isHighSurrogate(c) || isLowSurrogate(c)) {
            out += L"\\u";
            for (int shift = 12; shift >= 0; shift -= 4)
                out += hexDigit(static_cast<unsigned>(c) >> shift);
        } else {
            out += c;
        }
    }
    return out + L"\"";
}

bool unquoteText(std::wstring_view in, std::wstring& text, std::wstring_view& rest,
                 std::wstring& why) {
    text.clear();
    if (in.empty() || in.front() != L'"') {
        why = L"a text in double quotes was expected";
        return false;
    }
    for (std::size_t i = 1; i < in.size(); ++i) {
        const wchar_t c = in[i];
        if (c == L'"') {
            rest = in.substr(i + 1);
            return true;
        }
        if (c != L'\\') {
            text += c;
            continue;
        }
        if (++i == in.size()) break;
        if (const Escape* e = escapeOf(in[i], &Escape::letter)) {
            text += e->character;
            continue;
        }
        if (in[i] != L'u') {
            why = std::wstring(L"unknown escape \\") + in[i];
            return false;
        }
        unsigned unit = 0;
        for (int d = 0; d < 4; ++d) {
            const int v = i + 1 < in.size() ? hexValue(in[++i]) : -1;
            if (v < 0) {
                why = L"\\u needs four hex digits";
                return false;
            }
            unit = unit * 16 + static_cast<unsigned>(v);
        }
        text += static_cast<wchar_t>(unit);
    }
    why = L"the closing quote is missing";
    return false;
}

std::wstring hexBytes(std::span<const BYTE> bytes) {
    std::wstring out;
    out.reserve(bytes.size() * 3);
    for (BYTE b : bytes) {
        if (!out.empty()) out += L' ';
        out += hexDigit(b >> 4);
        out += hexDigit(b);
    }
    return out;
}

bool parseHexBytes(std::wstring_view text, std::vector<BYTE>& bytes, std::wstring& why) {
    bytes.clear();
    bytes.reserve(text.size() / 2);
    for (std::size_t i = 0; i < text.size();) {
        if (text[i] == L' ') {
            ++i;
            continue;
        }
        const int high = hexValue(text[i]);
        const int low = i + 1 < text.size() ? hexValue(text[i + 1]) : -1;
        if (high < 0 || low < 0) {
            why = L"bytes are pairs of hex digits (at character " + std::to_wstring(i + 1) + L")";
            return false;
        }
        bytes.push_back(static_cast<BYTE>(high * 16 + low));
        i += 2;
    }
    return true;
}

bool byteArrayBytes(const VARIANT& value, std::vector<BYTE>& bytes) {
    bytes.clear();
    if (value.vt != (VT_ARRAY | VT_UI1) || !value.parray) return false;
    SAFEARRAY* array = value.parray;
    if (::SafeArrayGetDim(array) != 1 || ::SafeArrayGetElemsize(array) != 1) return false;
    const ULONG count = array->rgsabound[0].cElements;
    void* data = nullptr;
    if (FAILED(::SafeArrayAccessData(array, &data))) return false;
    const BYTE* first = static_cast<const BYTE*>(data);
    bytes.assign(first, first + count);
    ::SafeArrayUnaccessData(array);
    return true;
}

HRESULT makeByteArray(std::span<const BYTE> bytes, Variant& value) {
    SAFEARRAY* array = ::SafeArrayCreateVector(VT_UI1, 0, static_cast<ULONG>(bytes.size()));
    if (!array) return E_OUTOFMEMORY;
    value.clear();
    value.vt = VT_ARRAY | VT_UI1; // owns the array from here
    value.parray = array;
    if (bytes.empty()) return S_OK;
    void* data = nullptr;
    PKW_RETURN_IF_FAILED(::SafeArrayAccessData(array, &data));
    std::memcpy(data, bytes.data(), bytes.size());
    return ::SafeArrayUnaccessData(array);
}

bool isScalar(VARTYPE vt) {
    return vt == VT_BOOL || vt == VT_R4 || vt == VT_R8 || vt == VT_CY || integerType(vt);
}

std::wstring formatScalar(const VARIANT& value) {
    switch (value.vt) {
    case VT_BOOL:
        if (value.boolVal == VARIANT_TRUE) return L"True";
        if (value.boolVal == VARIANT_FALSE) return L"False";
        return std::to_wstring(value.boolVal);
    case VT_R4:
        return formatFloat(value.fltVal);
    case VT_R8:
        return formatFloat(value.dblVal);
    case VT_CY:
        return formatCurrency(value.cyVal.int64);
    default:
        break;
    }
    const IntegerType* type = integerType(value.vt);
    if (!type) return {};
    std::uint64_t bits = 0;
    std::memcpy(&bits, &value.llVal, static_cast<std::size_t>(type->bytes));
    if (!type->isSigned) return std::to_wstring(bits);
    const int spare = 64 - type->bytes * 8;
    // Sign-extend from the type's width.
    const auto signedValue = static_cast<std::int64_t>(bits << spare) >> spare;
    return std::to_wstring(signedValue);
}

bool parseScalar(VARTYPE vt, std::wstring_view text, Variant& value, std::wstring& why) {
    value.clear();
    switch (vt) {
    case VT_BOOL: {
        std::uint64_t bits = 0;
        if (sameWord(text, L"True")) {
            bits = static_cast<std::uint16_t>(VARIANT_TRUE);
        } else if (!sameWord(text, L"False") && !parseInteger({VT_I2, 2, true}, text, bits, why)) {
            why = L"\"" + std::wstring(text) + L"\" is not True, False or a number";
            return false;
        }
        value.vt = VT_BOOL;
        value.boolVal = static_cast<VARIANT_BOOL>(bits);
        return true;
    }
    case VT_R4:
        value.vt = VT_R4;
        return parseFloat(text, value.fltVal, why);
    case VT_R8:
        value.vt = VT_R8;
        return parseFloat(text, value.dblVal, why);
    case VT_CY:
        value.vt = VT_CY;
        return parseCurrency(text, value.cyVal.int64, why);
    default:
        break;
    }
    const IntegerType* type = integerType(vt);
    if (!type) {
        why = L"type " + std::to_wstring(vt) + L" is not a number";
        return false;
    }
    std::uint64_t bits = 0;
    if (!parseInteger(*type, text, bits, why)) return false;
    value.vt = vt;
    value.llVal = 0;
    std::memcpy(&value.llVal, &bits, static_cast<std::size_t>(type->bytes));
    return true;
}

std::wstring describeValue(const VARIANT& value) {
    if (isScalar(value.vt)) return formatScalar(value);
    std::vector<BYTE> bytes;
    switch (value.vt) {
    case VT_EMPTY:
        return L"Empty";
    case VT_NULL:
        return L"Null";
    case VT_BSTR:
        return quoteText(value.bstrVal
                             ? std::wstring_view(value.bstrVal, ::SysStringLen(value.bstrVal))
                             : std::wstring_view());
    case VT_DISPATCH:
    case VT_UNKNOWN: {
        if (!value.punkVal) return L"Nothing";
        Microsoft::WRL::ComPtr<IUnknown> probe;
        if (SUCCEEDED(value.punkVal->QueryInterface(IID_IFont, &probe))) return L"<font>";
        if (SUCCEEDED(value.punkVal->QueryInterface(IID_IPicture, &probe))) return L"<picture>";
        return L"<object>";
    }
    default:
        break;
    }
    if (byteArrayBytes(value, bytes)) return L"{" + hexBytes(bytes) + L"}";
    return L"<type " + std::to_wstring(value.vt) + L">";
}

std::wstring hexResult(HRESULT hr) {
    wchar_t text[16] = {};
    std::swprintf(text, 16, L"0x%08lX", static_cast<unsigned long>(hr));
    return text;
}

} // namespace pkw::com
