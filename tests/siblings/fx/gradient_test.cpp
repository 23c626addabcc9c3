// Gradients: each stop's colour at its percentage along the axis or out
// from the centre, blends between, and the geometry rules of the modes.
#include "fx_test_support.h"

#include "siblings/fx/kernels/gradient.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

using namespace pkw::fx;
using pkw::fx::test::PrintTo;

constexpr Rgb kRed{255, 0, 0}, kGreen{0, 255, 0}, kBlue{0, 0, 255};
const GradientStop kStops[] = {{kRed, 10}, {kGreen, 25}, {kBlue, 100}};

void ExpectColour(Pixel p, Rgb want, int tolerance, const char* where) {
    SCOPED_TRACE(where);
    EXPECT_EQ(AlphaOf(p), 255u);
    EXPECT_NEAR(RedOf(p), want.r, tolerance);
    EXPECT_NEAR(GreenOf(p), want.g, tolerance);
    EXPECT_NEAR(BlueOf(p), want.b, tolerance);
}

// The axis runs from the centre of pixel 0 to that of pixel 200: pixel x
// stands at x / 2 percent of the way.
TEST(LinearGradient, PutsEachStopAtItsPercentage) {
    Layer layer(201, 3);
    FillLinear(layer.Pixels(), {0.5f, 0, 200.5f, 0}, kStops);
    const ConstView v = layer.Pixels();
    ExpectColour(v.At(5, 1), kRed, 0, "before the first stop");
    ExpectColour(v.At(20, 1), kRed, 0, "at 10 %");
    ExpectColour(v.At(35, 1), {128, 128, 0}, 2, "halfway from 10 % to 25 %");
    ExpectColour(v.At(50, 2), kGreen, 0, "at 25 %");
    ExpectColour(v.At(125, 1), {0, 128, 128}, 2, "halfway from 25 % to 100 %");
    ExpectColour(v.At(200, 0), kBlue, 0, "at 100 %");
    // Along the axis only: every row is the same.
    for (int x = 0; x < 201; ++x)
        ASSERT_EQ(v.At(x, 0), v.At(x, 2));
}

TEST(RadialGradient, PutsEachStopAtItsPercentageOfTheRadius) {
    Layer layer(101, 101);
    FillRadial(layer.Pixels(), {50.5f, 50.5f, 40}, kStops);
    const ConstView v = layer.Pixels();
    ExpectColour(v.At(50, 50), kRed, 0, "centre");
    ExpectColour(v.At(50 + 10, 50), kGreen, 2, "at 25 % of 40");
    ExpectColour(v.At(50, 50 - 10), kGreen, 2, "at 25 % above");
    ExpectColour(v.At(50 + 40, 50), kBlue, 2, "at the radius");
    ExpectColour(v.At(100, 100), kBlue, 0, "beyond the radius");
}

// Blue, placed before green, sits where green is; white then blends from
// there.
TEST(GradientStops, OutOfOrderStopMakesAStep) {
    const GradientStop stops[] = {{kRed, 0}, {kGreen, 50}, {kBlue, 30}, {{255, 255, 255}, 70}};
    Layer layer(100, 1);
    FillLinear(layer.Pixels(), {0.5f, 0, 100.5f, 0}, stops);
    ExpectColour(layer.Pixels().At(49, 0), {5, 250, 0}, 2, "just before the step");
    ExpectColour(layer.Pixels().At(50, 0), kBlue, 1, "at the step");
    ExpectColour(layer.Pixels().At(60, 0), {128, 128, 255}, 2, "halfway from blue to white");
}

TEST(GradientStops, ModesPickTheStops) {
    EXPECT_EQ(StopsForMode(0, kStops).size(), 2u);
    EXPECT_EQ(StopsForMode(0, kStops).data(), kStops);
    EXPECT_EQ(StopsForMode(2, kStops).size(), 3u);
    const auto own = StopsForMode(1, kStops);
    ASSERT_EQ(own.size(), 2u);
    EXPECT_EQ(own[0].colour, (Rgb{255, 255, 255}));
    EXPECT_EQ(own[1].colour, (Rgb{0, 0, 0}));
}

struct RadialCase {
    const char* name;
    int calcMode;
    std::optional<RadialShape> expected;
};

class RadialModes : public ::testing::TestWithParam<RadialCase> {};

TEST_P(RadialModes, PlaceTheCircle) {
    const auto shape = RadialShapeFor(GetParam().calcMode, 81, 24, 7, 9, 33);
    ASSERT_EQ(shape.has_value(), GetParam().expected.has_value());
    if (!shape) return;
    EXPECT_EQ(shape->cx, GetParam().expected->cx);
    EXPECT_EQ(shape->cy, GetParam().expected->cy);
    EXPECT_EQ(shape->radius, GetParam().expected->radius);
}

INSTANTIATE_TEST_SUITE_P(CalcModes, RadialModes,
                         ::testing::Values(RadialCase{"HalfWidth", 0, RadialShape{40, 12, 40}},
                                           RadialCase{"HalfHeight", 1, RadialShape{40, 12, 12}},
                                           RadialCase{"SmallerHalf", 2, RadialShape{40, 12, 12}},
                                           RadialCase{"Given", 3, RadialShape{7, 9, 33}},
                                           RadialCase{"Other", 4, std::nullopt}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(LinearGradient, AxisFollowsTheAngle) {
    auto end = [](float degrees) {
        const LinearAxis a = LinearAxisFor(degrees, 100, 20);
        EXPECT_EQ(a.x0, 0);
        EXPECT_EQ(a.y0, 0);
        return std::pair{a.x1, a.y1};
    };
    EXPECT_EQ(end(0), (std::pair{0.0f, 20.0f}));    // down
    EXPECT_EQ(end(-30), (std::pair{0.0f, 20.0f}));  // held to 0
    EXPECT_EQ(end(90), (std::pair{100.0f, 0.0f}));  // across
    EXPECT_EQ(end(120), (std::pair{100.0f, 0.0f})); // held to 90
    EXPECT_EQ(end(45), (std::pair{20.0f, 20.0f}));  // 19.9998 rounded
    EXPECT_EQ(end(60), (std::pair{100.0f, 58.0f})); // 100 tan 30° = 57.73
    EXPECT_EQ(end(20), (std::pair{7.0f, 20.0f}));   // 20 tan 20° = 7.28
}

} // namespace
