// Where the body and text gradients run.
#include "common/effects/gradient_geometry.h"

#include <gtest/gtest.h>

namespace {

using namespace pkw::effects;

struct LinearCase {
    const char* name;
    double degrees;
    int width, height;
    Point end;
};

void PrintTo(const LinearCase& c, std::ostream* os) {
    *os << c.name;
}

class LinearGradientEndTest : public testing::TestWithParam<LinearCase> {};

TEST_P(LinearGradientEndTest, EndsWhereTheAngleSays) {
    const LinearCase& c = GetParam();
    EXPECT_EQ(LinearGradientEnd(c.degrees, c.width, c.height), c.end);
}

INSTANTIATE_TEST_SUITE_P(
    Angles, LinearGradientEndTest,
    testing::Values(LinearCase{"Down", 0, 120, 24, {0, 24}},
                    LinearCase{"Across", 90, 120, 24, {120, 0}},
                    LinearCase{"ThirtyDegreesRoundsUp", 30, 120, 24, {14, 24}},
                    LinearCase{"TenDegreesRoundsDown", 10, 120, 24, {4, 24}},
                    LinearCase{"FortyFiveIsTheDiagonalOnTheBottomEdge", 45, 120, 24, {24, 24}},
                    LinearCase{"SixtyEndsOnTheRightEdge", 60, 120, 24, {120, 69}},
                    LinearCase{"EightyDegrees", 80, 120, 24, {120, 21}},
                    LinearCase{"BelowZeroHeldToZero", -30, 120, 24, {0, 24}},
                    LinearCase{"BeyondNinetyHeldToNinety", 135, 120, 24, {120, 0}},
                    // 0.01745 per degree, not pi/180: 5772 instead of 5774.
                    LinearCase{"KeepsTheShortDegreeFactor", 60, 10000, 10, {10000, 5772}}),
    [](const testing::TestParamInfo<LinearCase>& info) { return std::string(info.param.name); });

TEST(RadialGradientCircle, EachCalcModeAboutTheCentreOrTheGivenPoint) {
    // Odd sizes: the halves drop the remainder.
    EXPECT_EQ(RadialGradientCircle(0, 121, 25, 7, 8, 9), (Circle{60, 12, 60}));
    EXPECT_EQ(RadialGradientCircle(1, 121, 25, 7, 8, 9), (Circle{60, 12, 12}));
    EXPECT_EQ(RadialGradientCircle(2, 121, 25, 7, 8, 9), (Circle{60, 12, 12}));
    EXPECT_EQ(RadialGradientCircle(2, 20, 90, 7, 8, 9), (Circle{10, 45, 10}));
    EXPECT_EQ(RadialGradientCircle(3, 121, 25, 7, 8, 9), (Circle{7, 8, 9}));
    EXPECT_EQ(RadialGradientCircle(4, 121, 25, 7, 8, 9), std::nullopt);
    EXPECT_EQ(RadialGradientCircle(-1, 121, 25, 7, 8, 9), std::nullopt);
}

} // namespace
