#include "siblings/api/plain.h"

#include "test_windows.h"
#include "host/gdi_objects.h"

#include <gtest/gtest.h>

#include <array>

namespace {

using pkw::sib::DibSurface;
using pkw::sib::Gfx;
using pkw::test::ExpectPixels;
using pkw::test::MakeSurface;
using pkw::test::PixelAt;

// A synthetic skin of two 9 x 9 frames, margins left 2, top 2, right 3,
// bottom 3: every pixel of a frame has its own colour, except the top-left
// one, which is the mask colour.
constexpr int kFrame = 9;
constexpr RECT kMargins{2, 2, 3, 3};
constexpr COLORREF kMask = RGB(255, 0, 255);
constexpr COLORREF kGrey = RGB(90, 90, 90);

COLORREF SkinPixel(int frame, int x, int y) {
    if (x == 0 && y == 0) return kMask;
    return RGB(10 + 20 * x, 10 + 20 * y, 50 + 100 * frame);
}

DibSurface MakeSkin() {
    return MakeSurface(kFrame, 2 * kFrame,
                       [](int x, int y) { return SkinPixel(y / kFrame, x, y % kFrame); });
}

// The source coordinate of destination coordinate d along one axis: margins
// are copied as they are, the middle is stretched or tiled.
int SourceOf(int d, int span, int low, int high, bool tile) {
    if (d < low) return d;
    if (d >= span - high) return kFrame - (span - d);
    const int middle = d - low, destMiddle = span - low - high, srcMiddle = kFrame - low - high;
    return low + (tile ? middle % srcMiddle : middle * srcMiddle / destMiddle);
}

// The tile modes of the left, top, right and bottom edges and the centre.
using Modes = std::array<LONG, 5>;

// The expected pixel at (dx, dy) of a w x h skin drawing.
COLORREF Expected(int frame, const Modes& m, int w, int h, int dx, int dy) {
    const int col = dx < kMargins.left ? 0 : dx >= w - kMargins.right ? 2 : 1;
    const int row = dy < kMargins.top ? 0 : dy >= h - kMargins.bottom ? 2 : 1;
    bool tileH = false, tileV = false;
    if (col == 1 && row == 0) tileH = m[1] != 0;
    if (col == 1 && row == 2) tileH = m[3] != 0;
    if (col == 0 && row == 1) tileV = m[0] != 0;
    if (col == 2 && row == 1) tileV = m[2] != 0;
    if (col == 1 && row == 1) {
        tileH = (m[4] & 2) != 0;
        tileV = (m[4] & 1) != 0;
    }
    return SkinPixel(frame, SourceOf(dx, w, kMargins.left, kMargins.right, tileH),
                     SourceOf(dy, h, kMargins.top, kMargins.bottom, tileV));
}

// Middles of 12 x 8 pixels from middles of 4 x 4: stretching triples columns
// and doubles rows, tiling repeats the pattern three and two times.
TEST(GfxDrawSkin, NineSliceRegionsStretchOrTileByTheirModes) {
    const DibSurface skin = MakeSkin();
    const int w = 2 + 12 + 3, h = 2 + 8 + 3, x0 = 3, y0 = 2;
    const Modes table[] = {
        {{0, 0, 0, 0, 0}},     // all stretched
        {{-1, -1, -1, -1, 3}}, // all tiled (True is -1)
        {{0, 1, 0, -1, 1}},    // centre: stretch across, tile down
        {{-1, 0, 1, 0, 2}},    // centre: tile across, stretch down
    };
    for (int frame = 0; frame < 2; ++frame) {
        for (const Modes& m : table) {
            SCOPED_TRACE(testing::Message()
                         << "frame " << frame << " modes " << m[0] << m[1] << m[2] << m[3] << m[4]);
            DibSurface s = MakeSurface(24, 20, [](int, int) { return kGrey; });
            EXPECT_EQ(Gfx().gfxDrawSkin(s.dc(), skin.dc(), frame, &kMargins, x0, y0, w, h, kFrame,
                                        kFrame, 0xFF00FF, m[0], m[1], m[2], m[3], m[4]),
                      1);
            ExpectPixels(s, [&](int x, int y) {
                const bool inside = x >= x0 && x < x0 + w && y >= y0 && y < y0 + h;
                const COLORREF drawn = inside ? Expected(frame, m, w, h, x - x0, y - y0) : kMask;
                return drawn == kMask ? kGrey : drawn;
            });
        }
    }
}

// Without margins the whole frame is the centre; mask -1 draws the mask
// colour (the corner pixel) too.
TEST(GfxDrawSkin, NoMarginsScaleTheWholeFrame) {
    const DibSurface skin = MakeSkin();
    DibSurface s = MakeSurface(18, 18, [](int, int) { return kGrey; });
    EXPECT_EQ(Gfx().gfxDrawSkin(s.dc(), skin.dc(), 0, nullptr, 0, 0, 18, 18, kFrame, kFrame, -1, 0,
                                0, 0, 0, 0),
              1);
    ExpectPixels(s, [](int x, int y) { return SkinPixel(0, x / 2, y / 2); });
}

// A destination smaller than the margins shares itself between the corners.
TEST(GfxDrawSkin, ASmallDestinationKeepsToItsRectangle) {
    const DibSurface skin = MakeSkin();
    DibSurface s = MakeSurface(10, 10, [](int, int) { return kGrey; });
    EXPECT_EQ(Gfx().gfxDrawSkin(s.dc(), skin.dc(), 0, &kMargins, 4, 4, 3, 2, kFrame, kFrame, -1, 0,
                                0, 0, 0, 0),
              1);
    for (int y = 0; y < 10; ++y)
        for (int x = 0; x < 10; ++x) {
            const bool inside = x >= 4 && x < 7 && y >= 4 && y < 6;
            EXPECT_EQ(PixelAt(s, x, y) != kGrey, inside) << x << "," << y;
        }
}

// The off-screen pieces and any held-bitmap copies are freed on every call.
TEST(GfxDrawing, LeavesNoGdiObjectBehind) {
    const DibSurface skin = MakeSkin();
    const DibSurface s = MakeSurface(40, 40, [](int, int) { return kGrey; });
    auto bitmap = pkw::test::MakeBitmap(9, 9, [](int x, int y) { return SkinPixel(0, x, y); });
    pkw::UniqueMemoryDc holder(::CreateCompatibleDC(nullptr));
    const auto draw = [&](bool held) {
        Gfx().gfxDrawSkin(s.dc(), skin.dc(), 1, &kMargins, 0, 0, 37, 29, kFrame, kFrame, 0xFF00FF,
                          -1, 0, -1, 0, 3);
        Gfx().gfxDrawTransparentBitmap(s.dc(), bitmap.get(), 0, 0, 18, 18, 0, 0, 0, 0, 9, 9,
                                       0xFF00FF);
        Gfx().gfxDrawBitmapToDC(s.dc(), bitmap.get(), 0, 0, 5, 5, 0, -1, 0, 0, 9, 9);
        Gfx().gfxDrawRect2(s.dc(), 1, 1, 5, 5, RGB(1, 2, 3), 0);
        Gfx().gfxDrawLine(s.dc(), 0, 0, 30, 30, RGB(1, 2, 3), 3);
        if (held) {
            pkw::SelectedObject selected(holder.get(), bitmap.get());
            Gfx().gfxDrawTransparentBitmap(s.dc(), bitmap.get(), 0, 0, 9, 9, 0, 0, 0, 0, 9, 9, -1);
        }
    };
    draw(true);
    const int before = pkw::test::CountGdiObjects();
    for (int i = 0; i < 4; ++i)
        draw(i % 2 == 0);
    EXPECT_EQ(pkw::test::CountGdiObjects(), before);
}

} // namespace
