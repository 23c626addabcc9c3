#include "siblings/api/plain.h"

#include "test_windows.h"

#include <gtest/gtest.h>

namespace {

using pkw::sib::DibSurface;
using pkw::sib::Gfx;
using pkw::test::ExpectPixels;
using pkw::test::MakeBitmap;
using pkw::test::MakeSurface;
using pkw::test::PixelAt;

constexpr COLORREF kWhite = RGB(255, 255, 255);
constexpr COLORREF kGrey = RGB(90, 90, 90);
constexpr COLORREF kRed = RGB(220, 20, 30);
constexpr COLORREF kMagenta = RGB(255, 0, 255);

DibSurface Blank(COLORREF color = kWhite) {
    return MakeSurface(12, 12, [color](int, int) { return color; });
}

TEST(GfxRect, FillPaintsTheRectangleOnly) {
    const DibSurface s = Blank();
    const RECT r{2, 3, 7, 9};
    EXPECT_EQ(Gfx().gfxDrawRect(s.dc(), &r, kRed, 1), 1);
    ExpectPixels(s,
                 [](int x, int y) { return x >= 2 && x < 7 && y >= 3 && y < 9 ? kRed : kWhite; });
}

TEST(GfxRect, ZeroFillDrawsAOnePixelOutline) {
    const DibSurface s = Blank();
    EXPECT_EQ(Gfx().gfxDrawRect2(s.dc(), 1, 2, 10, 8, kRed, 0), 1);
    ExpectPixels(s, [](int x, int y) {
        const bool within = x >= 1 && x < 10 && y >= 2 && y < 8;
        return within && (x == 1 || x == 9 || y == 2 || y == 7) ? kRed : kWhite;
    });
}

// A 2 x 2 source: A B / C D.
constexpr COLORREF kQuad[2][2] = {{RGB(10, 20, 30), RGB(40, 50, 60)},
                                  {RGB(70, 80, 90), RGB(100, 110, 120)}};

TEST(GfxBitmapToDC, StretchScalesTheSourceToTheDestination) {
    const auto bitmap = MakeBitmap(2, 2, [](int x, int y) { return kQuad[y][x]; });
    const DibSurface s = Blank();
    EXPECT_EQ(Gfx().gfxDrawBitmapToDC(s.dc(), bitmap.get(), 3, 2, 6, 4, 0, -1, 0, 0, 2, 2), 1);
    ExpectPixels(s, [](int x, int y) {
        return x >= 3 && x < 9 && y >= 2 && y < 6 ? kQuad[(y - 2) / 2][(x - 3) / 3] : kWhite;
    });
}

TEST(GfxBitmapToDC, WithoutStretchTheSourceIsCopiedAsIsAndClippedToTheSize) {
    const auto bitmap = MakeBitmap(2, 2, [](int x, int y) { return kQuad[y][x]; });
    struct Case {
        LONG w, h, srcX, srcY, srcW, srcH;
        int copiedW, copiedH;
    };
    const Case cases[] = {
        {1, 2, 0, 0, 2, 2, 1, 2}, // clipped to the destination
        {5, 5, 0, 0, 2, 2, 2, 2}, // never scaled up
        {5, 5, 1, 0, 0, 0, 1, 2}, // source extent 0: to the bitmap's edge
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.w << " x " << c.h << " from " << c.srcX);
        const DibSurface s = Blank();
        EXPECT_EQ(Gfx().gfxDrawBitmapToDC(s.dc(), bitmap.get(), 4, 4, c.w, c.h, 0, 0, c.srcX,
                                          c.srcY, c.srcW, c.srcH),
                  1);
        ExpectPixels(s, [&](int x, int y) {
            const bool inside = x >= 4 && x < 4 + c.copiedW && y >= 4 && y < 4 + c.copiedH;
            return inside ? kQuad[c.srcY + y - 4][c.srcX + x - 4] : kWhite;
        });
    }
}

// A 3 x 3 source with the mask colour on a checkerboard.
COLORREF Checker(int x, int y) {
    return (x + y) % 2 ? kMagenta : RGB(10 + 40 * x, 20 + 40 * y, 200);
}

TEST(GfxTransparent, MaskPixelsLeaveTheDestinationUntouched) {
    const auto bitmap = MakeBitmap(3, 3, Checker);
    const DibSurface source = MakeSurface(3, 3, Checker);
    struct Case {
        const char* what;
        bool fromBitmap; // else from the DC
        LONG size, sourceSize, mask;
    };
    const Case cases[] = {
        {"bitmap", true, 3, 3, 0xFF00FF},
        {"bitmap, mask -1: copied opaque", true, 3, 3, -1},
        {"dc", false, 3, 3, 0xFF00FF},
        {"dc, source size from the destination", false, 3, 0, 0xFF00FF},
        {"dc scaled twice", false, 6, 3, 0xFF00FF},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const DibSurface s = Blank(kGrey);
        const LONG n = c.size, m = c.sourceSize;
        EXPECT_EQ(c.fromBitmap ? Gfx().gfxDrawTransparentBitmap(s.dc(), bitmap.get(), 2, 3, n, n, 0,
                                                                0, 0, 0, m, m, c.mask)
                               : Gfx().gfxDrawTransparentDC(s.dc(), source.dc(), 2, 3, n, n, 0, 0,
                                                            0, 0, m, m, c.mask),
                  1);
        const int scale = n / 3;
        ExpectPixels(s, [&](int x, int y) {
            const int sx = (x - 2) / scale, sy = (y - 3) / scale;
            const COLORREF drawn = x >= 2 && y >= 3 && sx < 3 && sy < 3 ? Checker(sx, sy) : kGrey;
            return drawn == kMagenta && c.mask != -1 ? kGrey : drawn;
        });
    }
}

TEST(GfxTransparent, AMaskColourWithTheTopBitIsASystemColour) {
    const COLORREF window = ::GetSysColor(COLOR_WINDOW);
    const DibSurface source = MakeSurface(2, 1, [&](int x, int) { return x ? window : kRed; });
    const DibSurface s = Blank(kGrey);
    EXPECT_EQ(Gfx().gfxDrawTransparentDC(s.dc(), source.dc(), 0, 0, 2, 1, 0, 0, 0, 0, 2, 1,
                                         LONG(0x80000005)),
              1);
    EXPECT_EQ(PixelAt(s, 0, 0), kRed);
    EXPECT_EQ(PixelAt(s, 1, 0), kGrey);
}

} // namespace
