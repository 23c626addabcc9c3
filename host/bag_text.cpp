#include "host/bag_text.h"

#include "common/win/name_map.h"
#include "host/font_text.h"
#include "host/picture_data.h"
#include "host/text.h"
#include "host/value_text.h"

#include <olectl.h>

#include <algorithm>
#include <cwchar>

namespace pkw::host {
namespace {

// How a tag's value is written and read.
enum class Form { Empty, Null, Scalar, Colour, String, Text, Bytes, Font, Picture, Nothing };

struct Tag {
    const wchar_t* name;
    VARTYPE vt; // of the value read back
    Form form;
};

constexpr Tag kTags[] = {
    {L"empty", VT_EMPTY, Form::Empty},
    {L"null", VT_NULL, Form::Null},
    {L"bool", VT_BOOL, Form::Scalar},
    {L"i1", VT_I1, Form::Scalar},
    {L"ui1", VT_UI1, Form::Scalar},
    {L"i2", VT_I2, Form::Scalar},
    {L"ui2", VT_UI2, Form::Scalar},
    {L"i4", VT_I4, Form::Scalar},
    {L"ui4", VT_UI4, Form::Scalar},
    {L"int", VT_INT, Form::Scalar},
    {L"uint", VT_UINT, Form::Scalar},
    {L"i8", VT_I8, Form::Scalar},
    {L"ui8", VT_UI8, Form::Scalar},
    {L"r4", VT_R4, Form::Scalar},
    {L"r8", VT_R8, Form::Scalar},
    {L"cy", VT_CY, Form::Scalar},
    {L"colour", VT_I4, Form::Colour},
    {L"string", VT_BSTR, Form::String},
    {L"text", VT_ARRAY | VT_UI1, Form::Text},
    {L"bytes", VT_ARRAY | VT_UI1, Form::Bytes},
    {L"font", VT_DISPATCH, Form::Font},
    {L"picture", VT_DISPATCH, Form::Picture},
    {L"nothing", VT_DISPATCH, Form::Nothing},
};

const Tag* tagNamed(std::wstring_view name) {
    for (const Tag& t : kTags)
        if (name == t.name) return &t;
    return nullptr;
}

const Tag* tagOf(Form form, VARTYPE vt = VT_EMPTY) {
    for (const Tag& t : kTags)
        if (t.form == form && (form != Form::Scalar || t.vt == vt)) return &t;
    return nullptr;
}

bool isSpace(wchar_t c) {
    return c == L' ' || c == L'\t';
}

std::wstring_view trimmed(std::wstring_view s) {
    while (!s.empty() && isSpace(s.front()))
        s.remove_prefix(1);
    while (!s.empty() && isSpace(s.back()))
        s.remove_suffix(1);
    return s;
}

// A byte array that reads well as UTF-16LE text: whole code units, no
// control characters but tab and line ends, surrogates in pairs.
bool readsAsText(const std::vector<BYTE>& bytes) {
    if (bytes.empty() || bytes.size() % 2 != 0) return false;
    for (std::size_t i = 0; i < bytes.size(); i += 2) {
        const wchar_t unit = static_cast<wchar_t>(bytes[i] | (bytes[i + 1] << 8));
        if (unit < 0x20 && unit != L'\t' && unit != L'\n' && unit != L'\r') return false;
        if (unit >= 0xD800 && unit <= 0xDBFF) {
            const std::size_t next = i + 2;
            const wchar_t low = next + 1 < bytes.size()
                                    ? static_cast<wchar_t>(bytes[next] | (bytes[next + 1] << 8))
                                    : 0;
            if (low < 0xDC00 || low > 0xDFFF) return false;
            i = next;
        } else if (unit >= 0xDC00 && unit <= 0xDFFF) {
            return false;
        }
    }
    return true;
}

std::wstring textOfBytes(const std::vector<BYTE>& bytes) {
    std::wstring text(bytes.size() / 2, L'\0');
    for (std::size_t i = 0; i < text.size(); ++i)
        text[i] = static_cast<wchar_t>(bytes[2 * i] | (bytes[2 * i + 1] << 8));
    return text;
}

std::vector<BYTE> bytesOfText(std::wstring_view text) {
    std::vector<BYTE> bytes;
    bytes.reserve(text.size() * 2);
    for (wchar_t unit : text) {
        bytes.push_back(static_cast<BYTE>(unit & 0xFF));
        bytes.push_back(static_cast<BYTE>((unit >> 8) & 0xFF));
    }
    return bytes;
}

bool needsQuotes(std::wstring_view name) {
    if (name.empty() || name != trimmed(name) || name.front() == L'"' || name.front() == L'#')
        return true;
    return std::any_of(name.begin(), name.end(),
                       [](wchar_t c) { return c == L'=' || c < 0x20 || c == 0x7F; });
}

bool isObject(const VARIANT& v) {
    return v.vt == VT_DISPATCH || v.vt == VT_UNKNOWN;
}

// The tag and value text of one entry; false with why when it has none.
bool describe(const BagEntry& entry, const BagTextOptions& options, const Tag*& tag,
              std::wstring& value, std::wstring& why) {
    const VARIANT& v = entry.value;
    std::vector<BYTE> bytes;
    if (v.vt == VT_I4 && options.isColour && options.isColour(entry.name)) {
        wchar_t hex[16];
        std::swprintf(hex, 16, L"0x%08lx", static_cast<unsigned long>(v.lVal));
        tag = tagOf(Form::Colour);
        value = hex;
        return true;
    }
    if (isScalar(v.vt)) {
        tag = tagOf(Form::Scalar, v.vt);
        value = formatScalar(v);
        return tag != nullptr;
    }
    if (v.vt == VT_EMPTY || v.vt == VT_NULL) {
        tag = tagOf(v.vt == VT_EMPTY ? Form::Empty : Form::Null);
        return true;
    }
    if (v.vt == VT_BSTR) {
        tag = tagOf(Form::String);
        value = quoteText(v.bstrVal ? std::wstring_view(v.bstrVal, ::SysStringLen(v.bstrVal))
                                    : std::wstring_view());
        return true;
    }
    if (byteArrayBytes(v, bytes)) {
        const bool text = readsAsText(bytes);
        tag = tagOf(text ? Form::Text : Form::Bytes);
        value = text ? quoteText(textOfBytes(bytes)) : hexBytes(bytes);
        return true;
    }
    if (isObject(v) && !v.punkVal) {
        tag = tagOf(Form::Nothing);
        return true;
    }
    if (isObject(v) && SUCCEEDED(describeFont(v.punkVal, value))) {
        tag = tagOf(Form::Font);
        return true;
    }
    if (isObject(v) && SUCCEEDED(savePictureBytes(v.punkVal, bytes))) {
        tag = tagOf(Form::Picture);
        value = hexBytes(bytes);
        return true;
    }
    why = isObject(v) ? L"an object that is neither a font nor a picture"
                      : L"a value of type " + std::to_wstring(v.vt);
    return false;
}

bool parseValue(const Tag& tag, std::wstring_view text, Variant& value, std::wstring& why) {
    std::wstring string;
    std::wstring_view rest;
    std::vector<BYTE> bytes;
    switch (tag.form) {
    case Form::Empty:
    case Form::Null:
    case Form::Nothing:
        value.clear();
        value.vt = tag.vt; // a null object for "nothing"
        return true;
    case Form::Scalar:
    case Form::Colour:
        return parseScalar(tag.vt, text, value, why);
    case Form::String:
    case Form::Text:
        if (!unquoteText(text, string, rest, why)) return false;
        if (!trimmed(rest).empty()) {
            why = L"text follows the closing quote";
            return false;
        }
        if (tag.form == Form::String) {
            value.clear();
            value.vt = VT_BSTR; // by length: an embedded NUL stays
            value.bstrVal = ::SysAllocStringLen(string.data(), static_cast<UINT>(string.size()));
            return value.bstrVal != nullptr;
        }
        return SUCCEEDED(makeByteArray(bytesOfText(string), value));
    case Form::Bytes:
        return parseHexBytes(text, bytes, why) && SUCCEEDED(makeByteArray(bytes, value));
    case Form::Font: {
        ComPtr<IFontDisp> font;
        if (!parseFont(text, font, why)) return false;
        value = Variant::fromDispatch(font.Get());
        return true;
    }
    case Form::Picture: {
        if (!parseHexBytes(text, bytes, why)) return false;
        ComPtr<IPictureDisp> picture;
        const HRESULT hr = loadPictureBytes(bytes, picture);
        if (FAILED(hr)) {
            why = L"the bytes are not a picture (" + hexResult(hr) + L")";
            return false;
        }
        value = Variant::fromDispatch(picture.Get());
        return true;
    }
    }
    return false;
}

// More keys than any control writes; a file past them is not a bag.
constexpr std::size_t kMaxKeys = 65536;

// One line of the file: nothing for blank and comment lines. `seen` holds
// the folded names read so far.
bool readLine(std::wstring_view line, std::vector<BagEntry>& entries, win::NameSet& seen,
              std::wstring& why) {
    line = trimmed(line);
    if (line.empty() || line.front() == L'#') return true;
    if (std::any_of(line.begin(), line.end(), [](wchar_t c) { return c < 0x20 && c != L'\t'; })) {
        why = L"the line holds control characters";
        return false;
    }
    BagEntry entry;
    std::wstring_view rest;
    if (line.front() == L'"') {
        if (!unquoteText(line, entry.name, rest, why)) return false;
        rest = trimmed(rest);
        if (rest.empty() || rest.front() != L'=') {
            why = L"\"=\" must follow the quoted name";
            return false;
        }
    } else {
        const std::size_t equals = line.find(L'=');
        if (equals == std::wstring_view::npos) {
            why = L"a line is \"Name = type: value\"; this one has no \"=\"";
            return false;
        }
        entry.name = std::wstring(trimmed(line.substr(0, equals)));
        rest = line.substr(equals);
    }
    if (entry.name.empty()) {
        why = L"the name is empty";
        return false;
    }
    rest = trimmed(rest.substr(1));
    const std::size_t colon = rest.find(L':');
    const std::wstring_view tagName = trimmed(rest.substr(0, colon));
    const Tag* tag = tagNamed(tagName);
    if (!tag) {
        why = L"unknown type \"" + std::wstring(tagName) + L"\"";
        return false;
    }
    const bool valueless =
        tag->form == Form::Empty || tag->form == Form::Null || tag->form == Form::Nothing;
    if (valueless != (colon == std::wstring_view::npos)) {
        why = std::wstring(L"type ") + tag->name +
              (valueless ? L" takes no value" : L" needs \": value\" after it");
        return false;
    }
    const std::wstring_view value =
        colon == std::wstring_view::npos ? std::wstring_view() : trimmed(rest.substr(colon + 1));
    if (!parseValue(*tag, value, entry.value, why)) {
        why = entry.name + L": " + why;
        return false;
    }
    if (!seen.insert(entry.name).second) {
        why = entry.name + L" was given already; this line is left out";
        return false;
    }
    entries.push_back(std::move(entry));
    return true;
}

} // namespace

std::string writeBagText(std::span<const BagEntry> entries, const BagTextOptions& options,
                         std::vector<BagProblem>& problems) {
    std::wstring text;
    if (!options.comment.empty()) text += L"# " + options.comment + L"\n";
    for (const BagEntry& entry : entries) {
        const Tag* tag = nullptr;
        std::wstring value, why;
        if (!describe(entry, options, tag, value, why)) {
            problems.push_back({0, entry.name + L" is not written: " + why});
            continue;
        }
        text += needsQuotes(entry.name) ? quoteText(entry.name) : entry.name;
        text += L" = ";
        text += tag->name;
        if (tag->form == Form::Empty || tag->form == Form::Null || tag->form == Form::Nothing) {
            text += L"\n";
            continue;
        }
        text += value.empty() ? L":\n" : L": " + value + L"\n";
    }
    return utf8(text);
}

std::vector<BagEntry> readBagText(std::string_view text, std::vector<BagProblem>& problems) {
    std::vector<BagEntry> entries;
    if (text.starts_with("\xEF\xBB\xBF")) text.remove_prefix(3);
    win::NameSet seen;
    int number = 0;
    while (!text.empty()) {
        if (entries.size() == kMaxKeys) {
            problems.push_back(
                {number + 1, L"only the first " + std::to_wstring(kMaxKeys) + L" keys are read"});
            break;
        }
        ++number;
        const std::size_t end = text.find('\n');
        std::string_view line = text.substr(0, end);
        text = end == std::string_view::npos ? std::string_view() : text.substr(end + 1);
        if (line.ends_with('\r')) line.remove_suffix(1);
        std::wstring wide, why;
        if (!fromUtf8(line, wide)) {
            problems.push_back({number, L"the line is not UTF-8 text"});
            continue;
        }
        if (!readLine(wide, entries, seen, why)) problems.push_back({number, why});
    }
    return entries;
}

} // namespace pkw::host
