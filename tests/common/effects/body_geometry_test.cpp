// The key colour, the glyph's place on the body, picture sizes and the
// rounding they rest on.
#include "common/effects/body_geometry.h"
#include "common/effects/rounding.h"

#include <gtest/gtest.h>

namespace {

using namespace pkw::effects;

TEST(KeyColour, EachComponentOneHigherWith255WrappingToZero) {
    EXPECT_EQ(KeyColour(0xFFFFFF), 0x000000u) << "white border: black key";
    EXPECT_EQ(KeyColour(0xB99D7F), 0xBA9E80u) << "the default border colour";
    EXPECT_EQ(KeyColour(0x00FF7F), 0x010080u) << "a wrap in one component only";
    EXPECT_EQ(KeyColour(0x000000), 0x010101u);
}

// Whatever the border, the key differs from it in every component, so no
// border pixel is ever keyed out.
TEST(KeyColour, NeverMatchesTheBorderInAnyComponent) {
    for (std::uint32_t rgb = 0; rgb <= 0xFFFFFF; rgb += 0x010203) {
        const std::uint32_t key = KeyColour(rgb);
        ASSERT_EQ(key & 0xFF000000u, 0u) << std::hex << rgb;
        for (int shift = 0; shift < 24; shift += 8)
            ASSERT_NE((key >> shift) & 0xFF, (rgb >> shift) & 0xFF) << std::hex << rgb;
    }
}

TEST(RoundHalfEven, HalvesGoToTheEvenNeighbour) {
    EXPECT_EQ(RoundHalfEven(2.5), 2);
    EXPECT_EQ(RoundHalfEven(3.5), 4);
    EXPECT_EQ(RoundHalfEven(-0.5), 0);
    EXPECT_EQ(RoundHalfEven(-1.5), -2);
    EXPECT_EQ(RoundHalfEven(2.49), 2);
    EXPECT_EQ(RoundHalfEven(2.51), 3);
    EXPECT_EQ(RoundHalfEven(-2.51), -3);
    EXPECT_EQ(Half(-3), -1) << "halves drop the remainder toward zero";
}

TEST(GlyphPosition, LeftOrRightInsideTheBorderAndCentredVertically) {
    // A 13 x 13 glyph on a 120 x 25 body with a border allowance of 2.
    EXPECT_EQ(GlyphPosition(0, 2, 120, 25, 13, 13), (Point{2, 6}));
    EXPECT_EQ(GlyphPosition(1, 2, 120, 25, 13, 13), (Point{105, 6}));
    EXPECT_EQ(GlyphPosition(1, 0, 120, 24, 13, 13), (Point{107, 6}));
    EXPECT_EQ(GlyphPosition(2, 2, 120, 25, 13, 13), std::nullopt);
    EXPECT_EQ(GlyphPosition(-1, 2, 120, 25, 13, 13), std::nullopt);
    // Taller than the body: the halves truncate toward zero.
    EXPECT_EQ(GlyphPosition(0, 0, 40, 9, 13, 13), (Point{0, -2}));
}

TEST(PicturePixels, HimetricThroughTwipsToPixels) {
    EXPECT_EQ(PicturePixels(344, 15), 13) << "a 13-pixel bitmap at 96 dpi";
    EXPECT_EQ(PicturePixels(2540, 15), 96) << "an inch";
    EXPECT_EQ(PicturePixels(2540, 12), 120) << "an inch at 120 dpi";
    EXPECT_EQ(PicturePixels(0, 15), 0);
    EXPECT_EQ(PicturePixels(2540, 0), 0) << "no screen metrics";
}

} // namespace
