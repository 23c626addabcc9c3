// Drop shadows: the reported offset and extra size against the pixels, the
// shadow's extent found independently by blurring the shape on a large
// canvas; inner shadows: on the side the offset points away from only.
#include "fx_test_support.h"

#include "siblings/fx/kernels/blur.h"
#include "siblings/fx/kernels/shadow.h"
#include "siblings/fx/kernels/tone.h"

#include <gtest/gtest.h>

namespace {

using namespace pkw::fx;
using namespace pkw::fx::test;
using pkw::fx::test::PrintTo;

struct ShadowCase {
    const char* name;
    int dx, dy, intensity;
};

class DropShadows : public ::testing::TestWithParam<ShadowCase> {};

// An opaque block with unequal transparent room around it, larger than
// the shadow's blur, so that the shadow reaches as far as the blur can.
Layer Shape(int intensity) {
    const int block = 2 * BlurSupport(ShadowRadius(intensity)) + 5;
    Layer layer(block + 7, block + 4);
    FillRect(layer.Pixels(), 2, 3, block, block, Premultiply({200, 30, 30}, 255));
    return layer;
}

TEST_P(DropShadows, OffsetAndExtraSizeMatchThePixels) {
    const ShadowCase& c = GetParam();
    const ShadowSettings settings{c.dx, c.dy, {0, 0, 0}, 127, c.intensity};
    const Layer shape = Shape(c.intensity);
    const int w = shape.Width(), h = shape.Height();

    // Where the shadow falls, relative to the layer's corner: the shape
    // blurred on a canvas with room to spare, then moved by (dx, dy).
    constexpr int room = 40;
    Layer canvas(w + 2 * room, h + 2 * room);
    const Overlap o = OverlapAt(canvas.Pixels(), shape.Pixels(), room, room);
    Copy(o.src, o.dst);
    Blur(canvas.Pixels(), ShadowRadius(c.intensity), canvas.Work());
    auto moved = [&](Bounds b) {
        return Bounds{b.left - room + c.dx, b.top - room + c.dy, b.right - room + c.dx,
                      b.bottom - room + c.dy};
    };
    const Bounds cast = moved(InkBounds(canvas.Pixels()));
    // What shows of it once seen through the shadow's alpha.
    ScaleAlpha(canvas.Pixels(), settings.alpha);
    const Bounds shown = moved(InkBounds(canvas.Pixels()));
    // The layer must hold both the layer as it was and the shadow.
    const Bounds all{std::min(0, cast.left), std::min(0, cast.top), std::max(w, cast.right),
                     std::max(h, cast.bottom)};

    const ShadowGeometry g = DropShadowGeometry(shape.Pixels(), settings);
    EXPECT_EQ(g.offsetX, -all.left);
    EXPECT_EQ(g.offsetY, -all.top);
    EXPECT_EQ(w + g.extraWidth, all.right - all.left);
    EXPECT_EQ(h + g.extraHeight, all.bottom - all.top);

    Layer out(w + g.extraWidth, h + g.extraHeight);
    DropShadow(shape.Pixels(), out.Pixels(), settings, out.Work());
    // The shape itself, unchanged, at the offset (its opaque pixels hide
    // the shadow beneath them); elsewhere only the translucent black shadow.
    for (int y = 0; y < out.Height(); ++y)
        for (int x = 0; x < out.Width(); ++x) {
            const int sx = x - g.offsetX, sy = y - g.offsetY;
            const bool onShape =
                sx >= 0 && sy >= 0 && sx < w && sy < h && AlphaOf(shape.Pixels().At(sx, sy)) == 255;
            const Pixel p = out.Pixels().At(x, y);
            if (onShape) {
                ASSERT_EQ(p, shape.Pixels().At(sx, sy)) << x << ", " << y;
            } else {
                ASSERT_EQ(p & 0xFFFFFF, 0u) << x << ", " << y;
                ASSERT_LE(AlphaOf(p), 127u) << x << ", " << y;
            }
        }
    // And all of the shadow is there, nothing cut off. (Its faintest edge
    // may reach a pixel further: at the layer's edges the blur counts only
    // the pixels inside.)
    const Bounds ink = InkBounds(shape.Pixels()), got = InkBounds(out.Pixels());
    EXPECT_LE(got.left, g.offsetX + std::min(ink.left, shown.left));
    EXPECT_LE(got.top, g.offsetY + std::min(ink.top, shown.top));
    EXPECT_GE(got.right, g.offsetX + std::max(ink.right, shown.right));
    EXPECT_GE(got.bottom, g.offsetY + std::max(ink.bottom, shown.bottom));
}

INSTANTIATE_TEST_SUITE_P(
    Settings, DropShadows,
    ::testing::Values(ShadowCase{"Default", 3, 3, 45}, ShadowCase{"TextDefault", 1, 3, 45},
                      ShadowCase{"UpAndLeft", -4, -2, 45}, ShadowCase{"Beneath", 0, 0, 30},
                      ShadowCase{"Hard", 5, -6, 0}, ShadowCase{"Wide", 2, 2, 150}),
    [](const auto& info) { return std::string(info.param.name); });

// A white bar with the inner shadow offset down and right: the shadow
// comes in over the top and left edges and leaves the bottom and right.
TEST(InnerShadow, DarkensTheEdgesOnTheShadowSideOnly) {
    Layer layer(40, 20);
    const Pixel white = Premultiply({255, 255, 255}, 255);
    FillRect(layer.Pixels(), 5, 5, 30, 10, white);
    InnerShadow(layer.Pixels(), {2, 2, {0, 0, 0}, 127, 45}, layer.Work());
    const ConstView v = layer.Pixels();
    auto level = [&](int x, int y) { return int(RedOf(v.At(x, y))); };
    EXPECT_LT(level(20, 5), 200) << "top edge";
    EXPECT_LT(level(5, 10), 200) << "left edge";
    EXPECT_GT(level(20, 14), 245) << "bottom edge";
    EXPECT_GT(level(34, 10), 245) << "right edge";
    EXPECT_LT(level(20, 5), level(20, 7)) << "fading inwards";
    EXPECT_EQ(v.At(2, 2), 0u) << "nothing outside the shape";
    EXPECT_EQ(AlphaOf(v.At(20, 5)), 255u) << "the shape's alpha kept";
}

} // namespace
