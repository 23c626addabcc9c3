// Gradients: each stop's colour at its percentage along the axis or out
// from the centre, and blends between.
#include "fx_test_support.h"

#include "siblings/fx/kernels/gradient.h"

#include <gtest/gtest.h>

namespace {

using namespace pkw::fx;

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

} // namespace
