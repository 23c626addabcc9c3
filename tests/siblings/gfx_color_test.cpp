#include "siblings/api/plain.h"

#include "common/win/unique_handle.h"

#include <gtest/gtest.h>

namespace {

using pkw::sib::Gfx;

TEST(GfxTranslateColor, RgbValuesPassThroughWithoutTheirHighByte) {
    struct Case {
        OLE_COLOR color;
        HPALETTE palette;
        COLORREF expected;
    };
    const Case cases[] = {
        {0x00123456, nullptr, 0x123456},
        {0x00FFFFFF, reinterpret_cast<HPALETTE>(1), 0xFFFFFF}, // a palette handle that is not one
        {0x02ABCDEF, nullptr, 0xABCDEF},                       // palette-relative RGB
    };
    for (const Case& c : cases)
        EXPECT_EQ(Gfx().gfxTranslateColor(c.color, c.palette), c.expected) << std::hex << c.color;
}

TEST(GfxTranslateColor, PaletteIndicesReadThePaletteGiven) {
    struct {
        LOGPALETTE head;
        PALETTEENTRY more[1];
    } log{{0x300, 2, {{1, 2, 3, 0}}}, {{200, 100, 50, 0}}};
    pkw::UniqueGdiObject<HPALETTE> palette(::CreatePalette(&log.head));
    ASSERT_TRUE(palette);
    EXPECT_EQ(Gfx().gfxTranslateColor(0x01000000, palette.get()), RGB(1, 2, 3));
    EXPECT_EQ(Gfx().gfxTranslateColor(0x01000001, palette.get()), RGB(200, 100, 50));
    EXPECT_EQ(Gfx().gfxTranslateColor(0x01000002, palette.get()), 0u) << "past the palette's end";
    // Without a palette: the default one, whose last entry is white.
    EXPECT_EQ(Gfx().gfxTranslateColor(0x01000013, nullptr), RGB(255, 255, 255));
}

} // namespace
