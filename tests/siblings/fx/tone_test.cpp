// Keying out a transparent colour (and no halo of it after a blur), layer
// alpha and inversion.
#include "fx_test_support.h"

#include "siblings/fx/kernels/blur.h"
#include "siblings/fx/kernels/tone.h"

#include <gtest/gtest.h>

namespace {

using namespace pkw::fx;
using namespace pkw::fx::test;

// As GDI leaves a DIB: opaque colours, the alpha byte meaningless.
Pixel Drawn(Rgb c) {
    return Bgra(c.b, c.g, c.r, 0x5A);
}

// A blue-grey glyph drawn on a magenta key, keyed out and blurred: every
// pixel that shows is the glyph's colour seen through its alpha (within the
// blur's rounding), with no magenta mixed in.
TEST(KeyOut, LeavesNoHaloOfTheKeyAfterABlur) {
    const Rgb key{255, 0, 255}, ink{127, 157, 185};
    Layer layer(40, 30);
    Fill(layer.Pixels(), Drawn(key));
    FillRect(layer.Pixels(), 10, 8, 20, 12, Drawn(ink));
    KeyOut(layer.Pixels(), key);
    Blur(layer.Pixels(), BlurRadius(50), layer.Work());

    int shown = 0;
    for (int y = 0; y < 30; ++y)
        for (int x = 0; x < 40; ++x) {
            const Pixel p = layer.Pixels().At(x, y);
            const std::uint32_t a = AlphaOf(p);
            shown += a != 0;
            ASSERT_NEAR(RedOf(p), Div255(ink.r * a), 3) << x << ", " << y;
            ASSERT_NEAR(GreenOf(p), Div255(ink.g * a), 3) << x << ", " << y;
            ASSERT_NEAR(BlueOf(p), Div255(ink.b * a), 3) << x << ", " << y;
        }
    EXPECT_GT(shown, 20 * 12);
}

TEST(KeyOut, MakesTheKeyTransparentAndTheRestOpaque) {
    Layer layer(3, 1);
    layer.Pixels().At(0, 0) = Drawn({255, 0, 255});
    layer.Pixels().At(1, 0) = Drawn({254, 0, 255});
    layer.Pixels().At(2, 0) = Drawn({0, 0, 0});
    KeyOut(layer.Pixels(), {255, 0, 255});
    EXPECT_EQ(layer.Pixels().At(0, 0), 0u);
    EXPECT_EQ(layer.Pixels().At(1, 0), Bgra(255, 0, 254, 255));
    EXPECT_EQ(layer.Pixels().At(2, 0), Bgra(0, 0, 0, 255));
}

TEST(ScaleAlpha, SeesEveryPixelThroughTheAlpha) {
    Layer layer(2, 1);
    layer.Pixels().At(0, 0) = Bgra(255, 100, 0, 255);
    layer.Pixels().At(1, 0) = Bgra(50, 50, 50, 100);
    ScaleAlpha(layer.Pixels(), 51); // a fifth
    EXPECT_EQ(layer.Pixels().At(0, 0), Bgra(51, 20, 0, 51));
    EXPECT_EQ(layer.Pixels().At(1, 0), Bgra(10, 10, 10, 20));
}

TEST(Invert, TurnsColoursAroundTheInversionColour) {
    Layer layer(3, 1);
    layer.Pixels().At(0, 0) = Premultiply({0, 100, 255}, 255);
    layer.Pixels().At(1, 0) = Premultiply({0, 100, 255}, 102); // straight colour kept
    layer.Pixels().At(2, 0) = 0;
    Invert(layer.Pixels(), {255, 255, 255}, 255);
    EXPECT_EQ(layer.Pixels().At(0, 0), Premultiply({255, 155, 0}, 255));
    EXPECT_EQ(Unpremultiply(layer.Pixels().At(1, 0)), (Rgb{255, 155, 0}));
    EXPECT_EQ(AlphaOf(layer.Pixels().At(1, 0)), 102u);
    EXPECT_EQ(layer.Pixels().At(2, 0), 0u);

    // Against red, half strength: halfway between a colour and |red - colour|.
    Layer half(1, 1);
    half.Pixels().At(0, 0) = Premultiply({55, 200, 10}, 255);
    Invert(half.Pixels(), {255, 0, 0}, 128);
    EXPECT_EQ(Unpremultiply(half.Pixels().At(0, 0)), (Rgb{128, 200, 10}));
}

} // namespace
