#include "activex/font_description.h"

#include "common/com/hresult.h"

#include <objidl.h>
#include <wrl/client.h>

#include <cstring>
#include <span>

namespace pkw::ax {
namespace {

using Microsoft::WRL::ComPtr;

// What a standard font object saves: u8 version 1, u16 character set, u8
// flags (2 italic, 4 underline, 8 strikethrough), u16 weight, u32 size in
// CY units, u8 name length, the name in the ANSI code page.
enum SavedFlags : BYTE { kItalic = 2, kUnderline = 4, kStrikethrough = 8 };

HRESULT ParseSavedFont(std::span<const BYTE> saved, FontDescription& out) {
    constexpr std::size_t kFixed = 1 + 2 + 1 + 2 + 4 + 1;
    if (saved.size() < kFixed || saved[0] != 1) return E_FAIL;
    const auto u16 = [&](std::size_t at) {
        return static_cast<SHORT>(saved[at] | saved[at + 1] << 8);
    };
    UINT32 size = 0;
    std::memcpy(&size, saved.data() + 6, sizeof size);
    const std::size_t length = saved[10];
    if (saved.size() < kFixed + length) return E_FAIL;
    out.charset = u16(1);
    out.italic = (saved[3] & kItalic) != 0;
    out.underline = (saved[3] & kUnderline) != 0;
    out.strikethrough = (saved[3] & kStrikethrough) != 0;
    out.weight = u16(4);
    out.size = size;
    const auto* name = reinterpret_cast<const char*>(saved.data() + kFixed);
    const int units = ::MultiByteToWideChar(CP_ACP, 0, name, static_cast<int>(length), nullptr, 0);
    out.name.assign(static_cast<std::size_t>(units > 0 ? units : 0), L'\0');
    if (units > 0)
        ::MultiByteToWideChar(CP_ACP, 0, name, static_cast<int>(length), out.name.data(), units);
    return S_OK;
}

} // namespace

bool FontDescription::drawsLike(const FontDescription& other) const noexcept {
    return size == other.size && weight == other.weight && charset == other.charset &&
           italic == other.italic && underline == other.underline &&
           strikethrough == other.strikethrough &&
           ::CompareStringOrdinal(name.data(), static_cast<int>(name.size()), other.name.data(),
                                  static_cast<int>(other.name.size()), TRUE) == CSTR_EQUAL;
}

HRESULT DescribeFont(IFont* font, FontDescription& out) {
    PKW_RETURN_HR_IF_NULL(E_POINTER, font);
    // Read from what the font saves of itself rather than through its
    // getters: a font object makes its GDI font on the first getter call,
    // and the GDI font is what sharing saves.
    ComPtr<IPersistStream> persist;
    PKW_RETURN_IF_FAILED(font->QueryInterface(IID_PPV_ARGS(&persist)));
    ComPtr<IStream> memory;
    PKW_RETURN_IF_FAILED(::CreateStreamOnHGlobal(nullptr, TRUE, &memory));
    PKW_RETURN_IF_FAILED(persist->Save(memory.Get(), FALSE));
    HGLOBAL global = nullptr;
    PKW_RETURN_IF_FAILED(::GetHGlobalFromStream(memory.Get(), &global));
    STATSTG stat{};
    PKW_RETURN_IF_FAILED(memory->Stat(&stat, STATFLAG_NONAME));
    const auto* data = static_cast<const BYTE*>(::GlobalLock(global));
    PKW_RETURN_HR_IF_NULL(E_OUTOFMEMORY, data);
    const HRESULT hr = ParseSavedFont({data, static_cast<std::size_t>(stat.cbSize.QuadPart)}, out);
    ::GlobalUnlock(global);
    return hr;
}

HRESULT MakeFont(const FontDescription& description, IFontDisp** font) {
    PKW_RETURN_HR_IF_NULL(E_POINTER, font);
    *font = nullptr;
    std::wstring name = description.name; // FONTDESC wants a writable string
    FONTDESC desc{};
    desc.cbSizeofstruct = sizeof(desc);
    desc.lpstrName = name.data();
    desc.cySize.int64 = description.size;
    desc.sWeight = description.weight;
    desc.sCharset = description.charset;
    desc.fItalic = description.italic;
    desc.fUnderline = description.underline;
    desc.fStrikethrough = description.strikethrough;
    return ::OleCreateFontIndirect(&desc, IID_IFontDisp, reinterpret_cast<void**>(font));
}

} // namespace pkw::ax
