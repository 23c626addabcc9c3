// Emboss, glow, edges and softening, each by the property that defines it.
#include "fx_test_support.h"

#include "siblings/fx/kernels/edges.h"
#include "siblings/fx/kernels/emboss.h"
#include "siblings/fx/kernels/glow.h"
#include "siblings/fx/kernels/soften.h"

#include <gtest/gtest.h>

namespace {

using namespace pkw::fx;
using namespace pkw::fx::test;
using pkw::fx::test::PrintTo;

const Pixel kGrey = Premultiply({128, 128, 128}, 255);

Layer GreySquare() {
    Layer layer(30, 30);
    FillRect(layer.Pixels(), 8, 8, 14, 14, kGrey);
    return layer;
}

struct LightCase {
    const char* name;
    float angle;
    int litX, litY, darkX, darkY; // an edge pixel on each side
};

class EmbossLight : public ::testing::TestWithParam<LightCase> {};

// White highlight and black shadow on a grey square: the edge facing the
// light turns lighter, the opposite one darker, the middle stays grey.
TEST_P(EmbossLight, PutsHighlightAndShadowOnOppositeSides) {
    Layer layer = GreySquare();
    EmbossSettings e;
    e.angle = GetParam().angle;
    e.highlight = {255, 255, 255};
    e.shadow = {0, 0, 0};
    Emboss(layer.Pixels(), e, layer.Work());
    const ConstView v = layer.Pixels();
    EXPECT_GT(RedOf(v.At(GetParam().litX, GetParam().litY)), 170u);
    EXPECT_LT(RedOf(v.At(GetParam().darkX, GetParam().darkY)), 90u);
    EXPECT_EQ(v.At(15, 15), kGrey);
}

INSTANTIATE_TEST_SUITE_P(Angles, EmbossLight,
                         ::testing::Values(LightCase{"FromTheRight", 0, 21, 15, 8, 15},
                                           LightCase{"FromAbove", 90, 15, 8, 15, 21}),
                         [](const auto& info) { return std::string(info.param.name); });

// A thin black bar with a red glow: red pixels outside the ink, fading
// with distance, and all of it within GlowMargin of the ink.
TEST(Glow, LightsPixelsOutsideTheInkFallingOffWithDistance) {
    const GlowSettings glow{{255, 0, 0}, 125, 5};
    const int m = GlowMargin(glow.blur), room = m + 10;
    Layer layer(2 * room + 20, 2 * room + 2);
    const Pixel black = Premultiply({0, 0, 0}, 255);
    FillRect(layer.Pixels(), room, room, 20, 2, black);
    Glow(layer.Pixels(), glow, layer.Work());
    const ConstView v = layer.Pixels();
    EXPECT_EQ(v.At(room + 5, room), black) << "the ink stays on top";
    int previous = 256;
    for (int d = 1; d <= m; ++d) {
        const Pixel p = v.At(room + 10, room + 1 + d);
        if (AlphaOf(p) > 8) {
            EXPECT_EQ(Unpremultiply(p), (Rgb{255, 0, 0})) << "distance " << d;
        }
        EXPECT_LE(int(AlphaOf(p)), previous) << "distance " << d;
        previous = int(AlphaOf(p));
    }
    EXPECT_GT(AlphaOf(v.At(room + 10, room + 3)), 200u) << "next to the ink";
    const Bounds lit = InkBounds(v);
    EXPECT_GE(lit.left, room - m);
    EXPECT_GE(lit.top, room - m);
    EXPECT_LE(lit.right, room + 20 + m);
    EXPECT_LE(lit.bottom, room + 2 + m);
}

TEST(DetectEdges, TurnsAShapeIntoItsOutline) {
    Layer layer = GreySquare();
    DetectEdges(layer.Pixels(), layer.Work());
    const ConstView v = layer.Pixels();
    EXPECT_EQ(v.At(15, 15), 0u) << "flat inside";
    EXPECT_EQ(v.At(2, 2), 0u) << "flat outside";
    EXPECT_EQ(AlphaOf(v.At(8, 15)), 255u) << "on the edge";
    EXPECT_EQ(AlphaOf(v.At(7, 15)), 255u) << "just outside the edge";
    EXPECT_EQ(Unpremultiply(v.At(8, 15)), (Rgb{128, 128, 128})) << "in the shape's colour";
}

// Softening reaches the nearest neighbours only, and by the amount given.
TEST(Soften, SpreadsASinglePixelToItsNeighboursOnly) {
    for (const int amount : {100, 50}) {
        SCOPED_TRACE(amount);
        Layer layer(9, 9);
        layer.Pixels().At(4, 4) = 0xFFFFFFFF;
        Soften(layer.Pixels(), amount, layer.Work());
        const ConstView v = layer.Pixels();
        EXPECT_EQ(InkBounds(v), (Bounds{3, 3, 6, 6}));
        // [1 2 1] each way: the centre keeps 4/16 of it, a side 2/16, a corner 1/16.
        const double t = amount / 100.0;
        EXPECT_NEAR(AlphaOf(v.At(4, 4)), 255 * (1 - t + t * 4 / 16), 2);
        EXPECT_NEAR(AlphaOf(v.At(3, 4)), 255 * t * 2 / 16, 2);
        EXPECT_NEAR(AlphaOf(v.At(3, 3)), 255 * t / 16, 2);
    }
}

} // namespace
