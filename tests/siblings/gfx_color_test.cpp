#include "siblings/api/plain.h"

#include "common/win/unique_handle.h"

#include <gtest/gtest.h>

namespace {

using pkw::sib::Gfx;

// Palette-relative RGB (high byte 2) is plain RGB too.
TEST(GfxTranslateColor, RgbValuesPassThroughWithoutTheirHighByte) {
    EXPECT_EQ(Gfx().gfxTranslateColor(0x00123456, nullptr), 0x123456u);
    EXPECT_EQ(Gfx().gfxTranslateColor(0x02ABCDEF, nullptr), 0xABCDEFu);
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
    // Without a palette, or with a handle that is none: the default one,
    // whose last entry is white.
    EXPECT_EQ(Gfx().gfxTranslateColor(0x01000013, nullptr), RGB(255, 255, 255));
    EXPECT_EQ(Gfx().gfxTranslateColor(0x01000013, reinterpret_cast<HPALETTE>(1)),
              RGB(255, 255, 255));
}

} // namespace
