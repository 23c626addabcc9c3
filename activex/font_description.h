// What makes two fonts draw alike, read from a font object and made into a
// new one: the face name, the size, the weight, the character set, italic,
// underline and strikethrough (what a font object saves of itself).
#pragma once

#include <ocidl.h>
#include <olectl.h>
#include <windows.h>

#include <string>

namespace pkw::ax {

struct FontDescription {
    std::wstring name;
    LONGLONG size = 0; // CY units: points × 10000
    SHORT weight = FW_NORMAL;
    SHORT charset = DEFAULT_CHARSET;
    bool italic = false;
    bool underline = false;
    bool strikethrough = false;

    bool operator==(const FontDescription&) const = default;
    // Alike as GDI sees them: face names match without regard to case.
    bool drawsLike(const FontDescription& other) const noexcept;
};

// The description as the font saves itself (the name in the ANSI code
// page); the font's error when it cannot save. Unlike the font's getters,
// this does not make the font object create its GDI font.
HRESULT DescribeFont(IFont* font, FontDescription& out);

// A new standard font object of that description.
HRESULT MakeFont(const FontDescription& description, IFontDisp** font);

} // namespace pkw::ax
