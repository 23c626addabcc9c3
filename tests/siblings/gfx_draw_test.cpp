#include "siblings/api/plain.h"

#include "test_windows.h"

#include <gtest/gtest.h>

namespace {

using pkw::sib::DibSurface;
using pkw::sib::Gfx;
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

// Expects every pixel of s to be inside(x, y) ? a : b.
void ExpectSplit(const DibSurface& s, const std::function<bool(int, int)>& inside, COLORREF a,
                 COLORREF b) {
    for (int y = 0; y < s.height(); ++y)
        for (int x = 0; x < s.width(); ++x)
            ASSERT_EQ(PixelAt(s, x, y), inside(x, y) ? a : b) << "at " << x << "," << y;
}

TEST(GfxRect, FillPaintsTheRectangleOnly) {
    const DibSurface s = Blank();
    const RECT r{2, 3, 7, 9};
    EXPECT_EQ(Gfx().gfxDrawRect(s.dc(), &r, kRed, 1), 1);
    ExpectSplit(
        s, [](int x, int y) { return x >= 2 && x < 7 && y >= 3 && y < 9; }, kRed, kWhite);
}

TEST(GfxRect, ZeroFillDrawsAOnePixelOutline) {
    const DibSurface s = Blank();
    EXPECT_EQ(Gfx().gfxDrawRect2(s.dc(), 1, 2, 10, 8, kRed, 0), 1);
    ExpectSplit(
        s,
        [](int x, int y) {
            const bool within = x >= 1 && x < 10 && y >= 2 && y < 8;
            return within && (x == 1 || x == 9 || y == 2 || y == 7);
        },
        kRed, kWhite);
}

// A 2 x 2 source: A B / C D.
constexpr COLORREF kQuad[2][2] = {{RGB(10, 20, 30), RGB(40, 50, 60)},
                                  {RGB(70, 80, 90), RGB(100, 110, 120)}};

TEST(GfxBitmapToDC, StretchScalesTheSourceToTheDestination) {
    const auto bitmap = MakeBitmap(2, 2, [](int x, int y) { return kQuad[y][x]; });
    const DibSurface s = Blank();
    EXPECT_EQ(Gfx().gfxDrawBitmapToDC(s.dc(), bitmap.get(), 3, 2, 6, 4, 0, -1, 0, 0, 2, 2), 1);
    for (int y = 0; y < 12; ++y)
        for (int x = 0; x < 12; ++x) {
            const bool inside = x >= 3 && x < 9 && y >= 2 && y < 6;
            const COLORREF expected = inside ? kQuad[(y - 2) / 2][(x - 3) / 3] : kWhite;
            ASSERT_EQ(PixelAt(s, x, y), expected) << x << "," << y;
        }
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
        const DibSurface s = Blank();
        EXPECT_EQ(Gfx().gfxDrawBitmapToDC(s.dc(), bitmap.get(), 4, 4, c.w, c.h, 0, 0, c.srcX,
                                          c.srcY, c.srcW, c.srcH),
                  1);
        for (int y = 0; y < 12; ++y)
            for (int x = 0; x < 12; ++x) {
                const bool inside = x >= 4 && x < 4 + c.copiedW && y >= 4 && y < 4 + c.copiedH;
                const COLORREF expected = inside ? kQuad[c.srcY + y - 4][c.srcX + x - 4] : kWhite;
                ASSERT_EQ(PixelAt(s, x, y), expected) << x << "," << y << " case w " << c.w;
            }
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
        std::function<LONG(HDC)> draw;
        int scale;
    };
    const Case cases[] = {
        {"bitmap",
         [&](HDC dc) {
             return Gfx().gfxDrawTransparentBitmap(dc, bitmap.get(), 2, 3, 3, 3, 0, 0, 0, 0, 3, 3,
                                                   0xFF00FF);
         },
         1},
        {"dc",
         [&](HDC dc) {
             return Gfx().gfxDrawTransparentDC(dc, source.dc(), 2, 3, 3, 3, 0, 0, 0, 0, 3, 3,
                                               0xFF00FF);
         },
         1},
        {"dc, source size from the destination",
         [&](HDC dc) {
             return Gfx().gfxDrawTransparentDC(dc, source.dc(), 2, 3, 3, 3, 0, 0, 0, 0, 0, 0,
                                               0xFF00FF);
         },
         1},
        {"dc scaled twice",
         [&](HDC dc) {
             return Gfx().gfxDrawTransparentDC(dc, source.dc(), 2, 3, 6, 6, 0, 0, 0, 0, 3, 3,
                                               0xFF00FF);
         },
         2},
    };
    for (const Case& c : cases) {
        const DibSurface s = Blank(kGrey);
        EXPECT_EQ(c.draw(s.dc()), 1) << c.what;
        for (int y = 0; y < 12; ++y)
            for (int x = 0; x < 12; ++x) {
                const int sx = (x - 2) / c.scale, sy = (y - 3) / c.scale;
                const bool inside = x >= 2 && y >= 3 && sx < 3 && sy < 3;
                const COLORREF drawn = inside ? Checker(sx, sy) : kMagenta;
                ASSERT_EQ(PixelAt(s, x, y), drawn == kMagenta ? kGrey : drawn)
                    << c.what << " " << x << "," << y;
            }
    }
}

TEST(GfxTransparent, MinusOneCopiesOpaque) {
    const auto bitmap = MakeBitmap(3, 3, Checker);
    const DibSurface s = Blank(kGrey);
    EXPECT_EQ(
        Gfx().gfxDrawTransparentBitmap(s.dc(), bitmap.get(), 0, 0, 3, 3, 0, 0, 0, 0, 3, 3, -1), 1);
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 3; ++x)
            EXPECT_EQ(PixelAt(s, x, y), Checker(x, y));
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

// A host's bitmap may sit in a DC of its own already; it is drawn all the same.
TEST(GfxTransparent, ABitmapSelectedElsewhereIsStillDrawn) {
    const auto bitmap = MakeBitmap(3, 3, Checker);
    pkw::UniqueMemoryDc holder(::CreateCompatibleDC(nullptr));
    pkw::SelectedObject held(holder.get(), bitmap.get());
    const DibSurface s = Blank(kGrey);
    EXPECT_EQ(Gfx().gfxDrawTransparentBitmap(s.dc(), bitmap.get(), 0, 0, 3, 3, 0, 0, 0, 0, 3, 3,
                                             0xFF00FF),
              1);
    EXPECT_EQ(PixelAt(s, 0, 0), Checker(0, 0));
    EXPECT_EQ(PixelAt(s, 1, 0), kGrey);
    EXPECT_EQ(PixelAt(s, 2, 2), Checker(2, 2));
    const DibSurface t = Blank();
    EXPECT_EQ(Gfx().gfxDrawBitmapToDC(t.dc(), bitmap.get(), 0, 0, 3, 3, 0, 0, 0, 0, 3, 3), 1);
    EXPECT_EQ(PixelAt(t, 1, 0), kMagenta);
}

} // namespace
