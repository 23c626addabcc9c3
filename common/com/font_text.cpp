#include "common/com/font_text.h"

#include "common/com/bstr.h"
#include "common/com/hresult.h"
#include "common/com/value_text.h"

#include <olectl.h>

#include <array>

namespace pkw::com {
namespace {

enum class Attribute { Name, Size, Weight, Charset, Italic, Underline, Strikethrough };

struct AttributeName {
    Attribute attribute;
    const wchar_t* name;
};

// In the order a description lists them.
constexpr std::array<AttributeName, 7> kAttributes{{
    {Attribute::Name, L"name"},
    {Attribute::Size, L"size"},
    {Attribute::Weight, L"weight"},
    {Attribute::Charset, L"charset"},
    {Attribute::Italic, L"italic"},
    {Attribute::Underline, L"underline"},
    {Attribute::Strikethrough, L"strikethrough"},
}};

const AttributeName* attributeNamed(std::wstring_view name) {
    for (const AttributeName& a : kAttributes)
        if (name == a.name) return &a;
    return nullptr;
}

std::wstring flag(BOOL on) {
    return on ? L"True" : L"False";
}

// One attribute's value: a quoted text, or up to the next space.
bool takeValue(std::wstring_view& rest, std::wstring& value, std::wstring& why) {
    if (!rest.empty() && rest.front() == L'"') return unquoteText(rest, value, rest, why);
    const std::size_t end = rest.find(L' ');
    value = std::wstring(rest.substr(0, end));
    rest = end == std::wstring_view::npos ? std::wstring_view() : rest.substr(end);
    return true;
}

} // namespace

HRESULT describeFont(IUnknown* object, std::wstring& text) {
    if (!object) return E_POINTER;
    ComPtr<IFont> font;
    PKW_RETURN_IF_FAILED(object->QueryInterface(IID_PPV_ARGS(&font)));
    Bstr name;
    CY size{};
    SHORT weight = 0, charset = 0;
    BOOL italic = FALSE, underline = FALSE, strikethrough = FALSE;
    PKW_RETURN_IF_FAILED(font->get_Name(name.put()));
    PKW_RETURN_IF_FAILED(font->get_Size(&size));
    PKW_RETURN_IF_FAILED(font->get_Weight(&weight));
    PKW_RETURN_IF_FAILED(font->get_Charset(&charset));
    PKW_RETURN_IF_FAILED(font->get_Italic(&italic));
    PKW_RETURN_IF_FAILED(font->get_Underline(&underline));
    PKW_RETURN_IF_FAILED(font->get_Strikethrough(&strikethrough));
    Variant sizeValue;
    sizeValue.vt = VT_CY;
    sizeValue.cyVal = size;
    text = L"name=" + quoteText(name.view()) + L" size=" + formatScalar(sizeValue) + L" weight=" +
           std::to_wstring(weight) + L" charset=" + std::to_wstring(charset) + L" italic=" +
           flag(italic) + L" underline=" + flag(underline) + L" strikethrough=" +
           flag(strikethrough);
    return S_OK;
}

bool parseFont(std::wstring_view text, ComPtr<IFontDisp>& font, std::wstring& why) {
    why.clear();
    std::wstring name;
    FONTDESC desc{};
    desc.cbSizeofstruct = sizeof(desc);
    desc.sWeight = FW_NORMAL;
    desc.sCharset = DEFAULT_CHARSET;
    std::array<bool, kAttributes.size()> seen{};
    std::wstring_view rest = text;
    for (;;) {
        while (!rest.empty() && rest.front() == L' ')
            rest.remove_prefix(1);
        if (rest.empty()) break;
        const std::size_t equals = rest.find(L'=');
        const AttributeName* attribute =
            equals == std::wstring_view::npos ? nullptr : attributeNamed(rest.substr(0, equals));
        if (!attribute) {
            why = L"a font attribute (name=, size=, weight=, charset=, italic=, underline=, "
                  L"strikethrough=) was expected at \"" +
                  std::wstring(rest.substr(0, rest.find(L' '))) + L"\"";
            return false;
        }
        const auto index = static_cast<std::size_t>(attribute->attribute);
        if (seen[index]) {
            why = std::wstring(L"the font's ") + attribute->name + L" is given twice";
            return false;
        }
        seen[index] = true;
        rest.remove_prefix(equals + 1);
        std::wstring value;
        if (!takeValue(rest, value, why)) return false;
        Variant number;
        bool ok = true;
        switch (attribute->attribute) {
        case Attribute::Name:
            name = value;
            break;
        case Attribute::Size:
            ok = parseScalar(VT_CY, value, number, why) && number.cyVal.int64 > 0;
            desc.cySize = number.cyVal;
            break;
        case Attribute::Weight:
            ok = parseScalar(VT_I2, value, number, why) && number.iVal >= 0 && number.iVal <= 1000;
            desc.sWeight = number.iVal;
            break;
        case Attribute::Charset:
            ok = parseScalar(VT_I2, value, number, why) && number.iVal >= 0 && number.iVal <= 255;
            desc.sCharset = number.iVal;
            break;
        case Attribute::Italic:
        case Attribute::Underline:
        case Attribute::Strikethrough: {
            ok = parseScalar(VT_BOOL, value, number, why);
            const BOOL on = number.boolVal != VARIANT_FALSE;
            (attribute->attribute == Attribute::Italic      ? desc.fItalic
             : attribute->attribute == Attribute::Underline ? desc.fUnderline
                                                            : desc.fStrikethrough) = on;
            break;
        }
        }
        if (!ok) {
            if (why.empty())
                why = std::wstring(L"the font's ") + attribute->name + L" is out of range";
            return false;
        }
    }
    if (name.empty() || !seen[static_cast<std::size_t>(Attribute::Size)]) {
        why = L"a font needs at least a name and a size";
        return false;
    }
    desc.lpstrName = name.data();
    ComPtr<IFontDisp> fresh;
    const HRESULT hr = ::OleCreateFontIndirect(&desc, IID_PPV_ARGS(&fresh));
    if (FAILED(hr)) {
        why = L"no font object could be made (" + hexResult(hr) + L")";
        return false;
    }
    font = fresh;
    return true;
}

} // namespace pkw::com
