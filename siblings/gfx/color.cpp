#include "siblings/gfx/color.h"

namespace pkw::sib::gfx {
namespace {

// COLOR_SCROLLBAR (0) to COLOR_MENUBAR (30) are the system colours.
constexpr unsigned kLastSystemColor = 30;
constexpr OLE_COLOR kSystemColorFlag = 0x80000000u;
constexpr unsigned kPaletteIndexByte = 0x01;

} // namespace

COLORREF TranslateOleColor(OLE_COLOR color, HPALETTE palette) {
    if (color & kSystemColorFlag) {
        const unsigned index = color & 0xFFu;
        return index <= kLastSystemColor ? ::GetSysColor(int(index)) : 0;
    }
    if ((color >> 24) == kPaletteIndexByte) {
        // A handle that is not a palette (callers pass 1 at times) falls
        // back to the default palette.
        HPALETTE source = palette && ::GetObjectType(palette) == OBJ_PAL
                              ? palette
                              : static_cast<HPALETTE>(::GetStockObject(DEFAULT_PALETTE));
        PALETTEENTRY entry{};
        if (::GetPaletteEntries(source, color & 0xFFFFu, 1, &entry) != 1) return 0;
        return RGB(entry.peRed, entry.peGreen, entry.peBlue);
    }
    return color & 0x00FFFFFFu;
}

} // namespace pkw::sib::gfx
