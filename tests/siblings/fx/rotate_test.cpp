// Rotation: quarter turns move pixels exactly; other angles keep a
// picture's interior and its amount of ink.
#include "fx_test_support.h"

#include "siblings/fx/kernels/rotate.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

namespace {

using namespace pkw::fx;
using namespace pkw::fx::test;
using pkw::fx::test::PrintTo;

Layer Turned(ConstView src, float degrees) {
    const Size size = RotatedSize(src.width, src.height, degrees);
    Layer out(size.width, size.height);
    Rotate(src, out.Pixels(), degrees);
    return out;
}

std::vector<Pixel> PixelsOf(ConstView v) {
    std::vector<Pixel> out;
    for (int y = 0; y < v.height; ++y)
        out.insert(out.end(), v.Row(y), v.Row(y) + v.width);
    return out;
}

// A 3 × 2 picture
//   a b c
//   d e f
// turned counter-clockwise, written out by hand.
struct QuarterCase {
    const char* name;
    float degrees;
    int width;
    std::vector<Pixel> expected; // row by row
};

class QuarterTurns : public ::testing::TestWithParam<QuarterCase> {};

constexpr Pixel a = 0xFF000001, b = 0xFF000002, c = 0xFF000003, d = 0xFF000004, e = 0xFF000005,
                f = 0xFF000006;

TEST_P(QuarterTurns, MovePixelsExactly) {
    Layer src(3, 2);
    const Pixel picture[] = {a, b, c, d, e, f};
    std::copy(std::begin(picture), std::end(picture), src.Pixels().pixels);
    const Layer out = Turned(src.Pixels(), GetParam().degrees);
    EXPECT_EQ(out.Width(), GetParam().width);
    EXPECT_EQ(PixelsOf(out.Pixels()), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(Angles, QuarterTurns,
                         ::testing::Values(QuarterCase{"None", 0, 3, {a, b, c, d, e, f}},
                                           QuarterCase{"Quarter", 90, 2, {c, f, b, e, a, d}},
                                           QuarterCase{"Half", 180, 3, {f, e, d, c, b, a}},
                                           QuarterCase{"ThreeQuarters", 270, 2, {d, a, e, b, f, c}},
                                           QuarterCase{"MinusQuarter", -90, 2, {d, a, e, b, f, c}},
                                           QuarterCase{
                                               "QuarterPlusFullTurn", 450, 2, {c, f, b, e, a, d}}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(Rotation, OtherAnglesFitTheBoundingBox) {
    EXPECT_EQ(RotatedSize(100, 20, 30), (Size{97, 68})); // 86.6 + 10, 50 + 17.3
    EXPECT_EQ(RotatedSize(100, 20, 45), (Size{85, 85}));
    EXPECT_EQ(RotatedSize(100, 20, 90), (Size{20, 100}));
}

// Turning there and back blurs a little but brings a smooth picture back:
// here red and green grow by 4 a pixel across and down, so each pixel of
// the result can be checked against where it came from.
TEST(Rotation, OtherAnglesAreReversibleOnSmoothPictures) {
    Layer src(64, 64);
    for (int y = 0; y < 64; ++y)
        for (int x = 0; x < 64; ++x)
            src.Pixels().At(x, y) =
                Premultiply({std::uint8_t(x * 4), std::uint8_t(y * 4), 128}, 255);
    const Layer back = Turned(Turned(src.Pixels(), 25).Pixels(), -25);
    const ConstView v = back.Pixels();
    // The centres stay put: source pixel x lies at x + (width - 64) / 2.
    const double dx = (v.width - 64) / 2.0, dy = (v.height - 64) / 2.0;
    for (int y = 16; y < 48; ++y)
        for (int x = 16; x < 48; ++x) {
            const Pixel got = v.At(int(x + dx), int(y + dy));
            ASSERT_NEAR(RedOf(got), 4 * (int(x + dx) - dx), 2) << x << ", " << y;
            ASSERT_NEAR(GreenOf(got), 4 * (int(y + dy) - dy), 2) << x << ", " << y;
        }
}

// A layer's content box, turned with it, still holds exactly the ink that
// was inside it (to the pixel at quarter turns, touching it otherwise), and
// nearest sampling turns without mixing colours.
TEST(Rotation, TurnedBoundsFollowTheInk) {
    Layer src(40, 16);
    FillRect(src.Pixels(), 5, 3, 12, 7, 0xFF102030);
    const Bounds box{5, 3, 17, 10};
    for (const float degrees : {90.0f, 180.0f, 270.0f, 30.0f, -50.0f}) {
        SCOPED_TRACE(degrees);
        const Size size = RotatedSize(40, 16, degrees);
        Layer out(size.width, size.height);
        Rotate(src.Pixels(), out.Pixels(), degrees, Sampling::Nearest);
        const Bounds ink = InkBounds(out.Pixels()), turned = RotatedBounds(box, 40, 16, degrees);
        for (const Pixel p : PixelsOf(out.Pixels()))
            ASSERT_TRUE(p == 0 || p == 0xFF102030);
        if (std::fmod(degrees, 90.0f) == 0) {
            EXPECT_EQ(turned, ink);
        } else {
            EXPECT_LE(turned.left, ink.left);
            EXPECT_LE(turned.top, ink.top);
            EXPECT_GE(turned.right, ink.right);
            EXPECT_GE(turned.bottom, ink.bottom);
            EXPECT_LE(ink.left - turned.left + turned.right - ink.right, 3);
            EXPECT_LE(ink.top - turned.top + turned.bottom - ink.bottom, 3);
        }
    }
}

} // namespace
