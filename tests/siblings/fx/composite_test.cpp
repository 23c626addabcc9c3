// Pasting (premultiplied source-over) and masking, against the formula
// worked out in floating point.
#include "fx_test_support.h"

#include "siblings/fx/kernels/composite.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

using namespace pkw::fx;
using namespace pkw::fx::test;
using pkw::fx::test::PrintTo;

// s + d * (1 - alpha of s), channel by channel, rounded.
Pixel ExpectedOver(Pixel s, Pixel d) {
    Pixel out = 0;
    for (int c = 0; c < 4; ++c) {
        const double sc = (s >> 8 * c) & 0xFF, dc = (d >> 8 * c) & 0xFF;
        out |= Pixel(std::lround(sc + dc * (1.0 - AlphaOf(s) / 255.0))) << 8 * c;
    }
    return out;
}

struct OverCase {
    const char* name;
    Pixel src, dst;
};

class PasteValues : public ::testing::TestWithParam<OverCase> {};

TEST_P(PasteValues, ComposeSourceOver) {
    Layer dst(1, 1), src(1, 1);
    dst.Pixels().At(0, 0) = GetParam().dst;
    src.Pixels().At(0, 0) = GetParam().src;
    Paste(dst.Pixels(), src.Pixels(), 0, 0);
    EXPECT_EQ(dst.Pixels().At(0, 0), ExpectedOver(GetParam().src, GetParam().dst));
}

INSTANTIATE_TEST_SUITE_P(
    Pixels, PasteValues,
    ::testing::Values(OverCase{"OpaqueReplaces", Bgra(10, 20, 30, 255), Bgra(200, 0, 0, 255)},
                      OverCase{"TransparentLeaves", 0, Bgra(200, 100, 50, 255)},
                      OverCase{"HalfOverHalf", Bgra(0, 64, 0, 128), Bgra(100, 0, 0, 128)},
                      OverCase{"FaintOverNothing", Bgra(3, 2, 1, 5), 0},
                      OverCase{"NearlyOpaque", Bgra(250, 250, 250, 254), Bgra(0, 0, 255, 255)}),
    [](const auto& info) { return std::string(info.param.name); });

// Only the overlap changes, wherever the source is placed, and each of its
// pixels lands where it belongs. The target is a window of a larger layer,
// whose pixels around it must stay as they were.
TEST(Paste, ClipsToTheTarget) {
    const Pixel back = Bgra(0, 0, 255, 255), around = Bgra(9, 9, 9, 255);
    for (const auto& [x, y] : {std::pair{-2, -1}, std::pair{3, 2}, std::pair{-10, 0},
                               std::pair{5, 5}, std::pair{1, -2}}) {
        SCOPED_TRACE(testing::Message() << "at " << x << ", " << y);
        Layer whole(9, 8), src(3, 3);
        Fill(whole.Pixels(), around);
        const View dst{&whole.Pixels().At(2, 2), 5, 4, whole.Pixels().stride};
        Fill(dst, back);
        for (int i = 0; i < 9; ++i)
            src.Pixels().At(i % 3, i / 3) = Bgra(i, 10 * i, 255, 255);
        Paste(dst, src.Pixels(), x, y);
        for (int yy = -2; yy < 6; ++yy)
            for (int xx = -2; xx < 7; ++xx) {
                const bool window = xx >= 0 && xx < 5 && yy >= 0 && yy < 4;
                const bool inside = xx >= x && xx < x + 3 && yy >= y && yy < y + 3;
                const Pixel want = !window  ? around
                                   : inside ? src.Pixels().At(xx - x, yy - y)
                                            : back;
                ASSERT_EQ(whole.Pixels().At(xx + 2, yy + 2), want) << xx << ", " << yy;
            }
    }
}

TEST(Mask, KeepsThePatternInsideTheShape) {
    Layer pattern(3, 1), shape(3, 1);
    Fill(pattern.Pixels(), Bgra(40, 80, 200, 255));
    shape.Pixels().At(0, 0) = Bgra(0, 0, 0, 255);
    shape.Pixels().At(1, 0) = Bgra(9, 9, 9, 51); // a fifth
    Mask(pattern.Pixels(), shape.Pixels());
    EXPECT_EQ(pattern.Pixels().At(0, 0), Bgra(40, 80, 200, 255));
    EXPECT_EQ(pattern.Pixels().At(1, 0), Bgra(8, 16, 40, 51));
    EXPECT_EQ(pattern.Pixels().At(2, 0), 0u);
}

} // namespace
