#include "siblings/proppage/setting_text.h"

#include "common/com/font_text.h"
#include "common/com/value_text.h"

#include <ocidl.h>
#include <olectl.h>
#include <wrl/client.h>

#include <cwchar>
#include <cwctype>

namespace pkw::proppage {
namespace {

using Kind = com::ValueType::Kind;
using Microsoft::WRL::ComPtr;

constexpr DWORD kSystemColour = 0x80000000u;

std::wstring_view Trim(std::wstring_view text) {
    while (!text.empty() && std::iswspace(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && std::iswspace(text.back()))
        text.remove_suffix(1);
    return text;
}

bool StartsWithWord(std::wstring_view text, std::wstring_view word) {
    if (text.size() < word.size()) return false;
    for (std::size_t i = 0; i < word.size(); ++i)
        if (std::towlower(text[i]) != std::towlower(word[i])) return false;
    return true;
}

// The numbers inside "word(a, b, ...)", each 0..limit; false when the text
// is not of that form.
bool ParseCall(std::wstring_view text, std::wstring_view word, std::size_t count,
               unsigned long limit, unsigned long* out) {
    if (!StartsWithWord(text, word)) return false;
    text = Trim(text.substr(word.size()));
    if (text.size() < 2 || text.front() != L'(' || text.back() != L')') return false;
    text = text.substr(1, text.size() - 2);
    for (std::size_t i = 0; i < count; ++i) {
        const std::size_t comma = text.find(L',');
        if ((comma == std::wstring_view::npos) != (i + 1 == count)) return false;
        const std::wstring part(Trim(text.substr(0, comma)));
        if (part.empty() || part.find_first_not_of(L"0123456789") != std::wstring::npos ||
            part.size() > 10)
            return false;
        out[i] = std::wcstoul(part.c_str(), nullptr, 10);
        if (out[i] > limit) return false;
        if (comma != std::wstring_view::npos) text = text.substr(comma + 1);
    }
    return true;
}

bool ParseColour(std::wstring_view text, Variant& value) {
    unsigned long parts[3] = {};
    DWORD colour = 0;
    if (ParseCall(text, L"RGB", 3, 255, parts)) {
        colour = RGB(parts[0], parts[1], parts[2]);
    } else if (ParseCall(text, L"System", 1, 0xFFFF, parts)) {
        colour = kSystemColour | parts[0];
    } else if (text.size() == 7 && text.front() == L'#' &&
               text.substr(1).find_first_not_of(L"0123456789abcdefABCDEF") ==
                   std::wstring_view::npos) {
        const unsigned long rgb = std::wcstoul(std::wstring(text.substr(1)).c_str(), nullptr, 16);
        colour = RGB((rgb >> 16) & 0xFF, (rgb >> 8) & 0xFF, rgb & 0xFF);
    } else {
        std::wstring ignored;
        if (!com::parseScalar(VT_UI4, text, value, ignored)) return false;
        colour = value.ulVal;
    }
    value.clear();
    value.vt = VT_UI4;
    value.ulVal = colour;
    return true;
}

std::wstring ColourText(DWORD colour) {
    wchar_t text[32] = {};
    if (colour & kSystemColour)
        std::swprintf(text, 32, L"System(%lu)", static_cast<unsigned long>(colour & 0xFFFF));
    else
        std::swprintf(text, 32, L"RGB(%u, %u, %u)", GetRValue(colour), GetGValue(colour),
                      GetBValue(colour));
    return text;
}

std::wstring PictureText(const VARIANT& value) {
    ComPtr<IPicture> picture;
    if (value.vt == VT_DISPATCH && value.pdispVal)
        value.pdispVal->QueryInterface(IID_PPV_ARGS(&picture));
    OLE_HANDLE handle = 0;
    if (!picture || FAILED(picture->get_Handle(&handle)) || !handle) return L"(none)";
    SHORT type = PICTYPE_NONE;
    picture->get_Type(&type);
    return type == PICTYPE_ICON ? L"(icon)" : L"(picture)";
}

} // namespace

bool IsTypedIn(const com::ValueType& type) {
    switch (type.kind) {
    case Kind::Colour:
    case Kind::Enum:
    case Kind::Font:
        return true;
    case Kind::Plain:
        return type.vt == VT_BSTR || com::isScalar(type.vt);
    default:
        return false;
    }
}

std::wstring SettingText(const com::ValueType& type, const VARIANT& value) {
    switch (type.kind) {
    case Kind::Colour: {
        Variant number;
        if (FAILED(::VariantChangeType(&number, const_cast<VARIANT*>(&value), 0, VT_UI4)))
            return {};
        return ColourText(number.ulVal);
    }
    case Kind::Font: {
        std::wstring text;
        if (value.vt != VT_DISPATCH || FAILED(com::describeFont(value.pdispVal, text)))
            return L"(none)";
        return text;
    }
    case Kind::Picture:
        return PictureText(value);
    case Kind::Plain:
    case Kind::Enum:
        if (value.vt == VT_BSTR) return value.bstrVal ? value.bstrVal : L"";
        if (value.vt == VT_BOOL) return value.boolVal ? L"True" : L"False";
        return com::formatScalar(value);
    default:
        return L"(object)";
    }
}

bool ParseSetting(const com::ValueType& type, std::wstring_view text, Variant& value,
                  std::wstring& why) {
    why.clear();
    value.clear();
    if (type.kind == Kind::Plain && type.vt == VT_BSTR) {
        value = Variant::fromString(std::wstring(text).c_str());
        return true;
    }
    text = Trim(text);
    switch (type.kind) {
    case Kind::Colour:
        if (ParseColour(text, value)) return true;
        why = L"Not a colour: type RGB(red, green, blue), #RRGGBB or System(n).";
        return false;
    case Kind::Font: {
        ComPtr<IFontDisp> font;
        if (!com::parseFont(text, font, why)) return false;
        value = Variant::fromDispatch(font.Get());
        return true;
    }
    case Kind::Enum:
        return com::parseScalar(VT_I4, text, value, why);
    case Kind::Plain:
        if (type.vt == VT_BOOL) {
            if (!com::parseScalar(VT_BOOL, text, value, why)) {
                why = L"Type True or False.";
                return false;
            }
            value.boolVal = value.boolVal ? VARIANT_TRUE : VARIANT_FALSE;
            return true;
        }
        if (com::isScalar(type.vt)) return com::parseScalar(type.vt, text, value, why);
        break;
    default:
        break;
    }
    why = L"This setting is not typed in.";
    return false;
}

std::wstring_view SettingHint(const com::ValueType& type) {
    switch (type.kind) {
    case Kind::Colour:
        return L"A colour: RGB(red, green, blue), #RRGGBB, or System(n) for a system colour.";
    case Kind::Font:
        return L"A font: name=\"Tahoma\" size=8.25, then weight, charset, italic, underline, "
               L"strikethrough if wanted.";
    case Kind::Plain:
        if (type.vt == VT_BOOL) return L"True or False.";
        if (type.vt == VT_BSTR) return L"Any text.";
        if (type.vt == VT_I2) return L"A whole number from -32768 to 32767.";
        if (com::isScalar(type.vt)) return L"A number.";
        break;
    case Kind::Enum:
        return L"A number.";
    default:
        break;
    }
    return L"Shown here; not changed in this editor.";
}

} // namespace pkw::proppage
