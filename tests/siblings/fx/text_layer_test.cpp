// Text layers under Wine, from a real effect set (zelGlobals40.dll): each
// enhancement mode pinned by the property that defines its look, read off
// the layer's pixels next to the plain ink of the same caption.
#include "common/win/dib_section.h"
#include "engine_support.h"
#include "zelGlobals40.h"

#include <olectl.h>

#include <algorithm>
#include <cmath>
#include <vector>

namespace pkw::fx::test {
namespace {

// A layer's premultiplied pixels, read back through RenderToDC onto black
// and onto white, with the content's top-left corner as the origin.
struct Readback {
    int width = 0, height = 0, left = 0, top = 0; // left, top: the content's place
    std::vector<std::uint32_t> colour, alpha;     // colour: 0xRRGGBB premultiplied

    bool Inside(int x, int y) const {
        return x + left >= 0 && y + top >= 0 && x + left < width && y + top < height;
    }
    std::uint32_t Alpha(int x, int y) const {
        return Inside(x, y) ? alpha[std::size_t(y + top) * width + x + left] : 0;
    }
    std::uint32_t Colour(int x, int y) const {
        return Inside(x, y) ? colour[std::size_t(y + top) * width + x + left] : 0;
    }
    int Channel(int x, int y, int shift) const { return int(Colour(x, y) >> shift & 0xFF); }
};

Readback Read(const ComPtr<IFxLayer>& layer) {
    Readback r;
    LONG w = 0, h = 0, dx = 0, dy = 0;
    layer->get_Width(&w);
    layer->get_Height(&h);
    layer->get_ShadowOffsetX(&dx);
    layer->get_ShadowOffsetY(&dy);
    r.width = w, r.height = h, r.left = dx, r.top = dy;
    DibSection on[2] = {DibSection(w, h), DibSection(w, h)};
    for (int i = 0; i < 2; ++i) {
        on[i].fill(i ? RGB(255, 255, 255) : RGB(0, 0, 0));
        // The whole layer: the content lands at (dx, dy) of the bitmap.
        ::SetViewportOrgEx(on[i].dc(), dx, dy, nullptr);
        EXPECT_EQ(layer->RenderToDC(on[i].dc(), SRCCOPY, -1), S_OK);
    }
    ::GdiFlush();
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            const std::uint32_t black = on[0].at(x, y) & 0xFFFFFF;
            const std::uint32_t white = on[1].at(x, y) & 0xFFFFFF;
            r.colour.push_back(black);
            r.alpha.push_back(255 - ((white & 0xFF) - (black & 0xFF)));
        }
    return r;
}

class TextLayerTest : public EngineTest {
protected:
    void SetUp() override {
        EngineTest::SetUp();
        static const pkw::test::ServerDll globals(L"zelGlobals40.dll");
        effects = globals.create<IEffectSet>(CLSID_EffectSet);
        ASSERT_TRUE(effects);
        UseFont(L"Arial", 26, FW_BOLD);
        ASSERT_TRUE(font);
        effects->put_TextAntiAlias(-1);
        effects->put_TextAlpha(255);
        // The plain ink of the caption, black, for comparison.
        ink = Build();
    }
    void TearDown() override {
        effects.Reset();
        font.Reset();
        EngineTest::TearDown();
    }
    // The caption's font from now on.
    void UseFont(const wchar_t* face, LONGLONG points, SHORT weight, BOOL italic = FALSE) {
        FONTDESC desc{
            sizeof(FONTDESC), const_cast<LPOLESTR>(face), {}, weight, ANSI_CHARSET, italic};
        desc.cySize.int64 = points * 10000;
        EXPECT_EQ(::OleCreateFontIndirect(&desc, IID_PPV_ARGS(font.ReleaseAndGetAddressOf())),
                  S_OK);
    }
    // A two-stop text gradient, red at 0 % to blue at 100 %.
    void RedToBlueText() {
        ComPtr<IGradInfo> stops;
        ASSERT_EQ(effects->get_TextGradInfo(&stops), S_OK);
        stops->put_Count(2);
        stops->put_GradColor(0, RGB(255, 0, 0));
        stops->put_GradPercent(0, 0);
        stops->put_GradColor(1, RGB(0, 0, 255));
        stops->put_GradPercent(1, 100);
        effects->put_TextGradientMode(2);
    }

    Readback Build(LONG mode = 0) {
        effects->put_TextEnhancementMode(mode);
        const Bstr caption(text);
        ComPtr<IDispatch> settings;
        effects.As(&settings);
        const ComPtr<IFxLayer> built = NewLayer();
        EXPECT_EQ(
            built->BuildTextLayer(settings.Get(), nullptr, font.Get(), caption.get(), 0, 0, 0),
            S_OK);
        return Read(built);
    }
    // Pixels of the caption's box by their ink: full, none.
    template <class F>
    void ForInk(bool full, F f) {
        for (int y = 0; y < ink.height - ink.top; ++y)
            for (int x = 0; x < ink.width - ink.left; ++x)
                if (ink.Alpha(x, y) == (full ? 255u : 0u)) f(x, y);
    }

    ComPtr<IEffectSet> effects;
    ComPtr<IFontDisp> font;
    std::wstring text = L"HW";
    Readback ink;
};

TEST_F(TextLayerTest, PlainInkIsTheForeColourAntiAliasedOnRequest) {
    effects->put_TextForeColor(RGB(0, 0, 200));
    const Readback plain = Build(0);
    int full = 0, partial = 0;
    for (const std::uint32_t a : plain.alpha)
        full += a == 255, partial += a > 0 && a < 255;
    EXPECT_GT(full, 100);
    EXPECT_GT(partial, 20) << "smooth edges";
    ForInk(true, [&](int x, int y) { ASSERT_EQ(plain.Colour(x, y), 0x0000C8u); });

    effects->put_TextAntiAlias(0);
    partial = 0;
    for (const std::uint32_t a : Build(0).alpha)
        partial += a > 0 && a < 255;
    EXPECT_EQ(partial, 0) << "aliased";
}

TEST_F(TextLayerTest, AShadowLiesAtItsOffset) {
    effects->put_ApplyTextShadow(-1);
    effects->put_TextShadowDistanceX(4);
    effects->put_TextShadowDistanceY(3);
    effects->put_TextShadowColor(RGB(255, 0, 0));
    effects->put_TextShadowAlpha(255);
    effects->put_TextShadowIntensity(0); // a hard shadow
    const Readback shadowed = Build(0);
    int checked = 0;
    ForInk(false, [&](int x, int y) {
        if (ink.Alpha(x - 4, y - 3) != 255) return;
        ++checked;
        ASSERT_EQ(shadowed.Alpha(x, y), 255u) << x << ", " << y;
        ASSERT_EQ(shadowed.Colour(x, y), 0xFF0000u) << x << ", " << y;
    });
    EXPECT_GT(checked, 20);
    EXPECT_EQ(shadowed.Alpha(-1, 0), 0u) << "nothing left of the content";
}

// The glow colour lights the pixels around the ink (how it falls off is the
// glow kernel's), and none of it covers the ink itself.
TEST_F(TextLayerTest, GlowLightsTheSurroundingsAndLeavesTheInkOnTop) {
    effects->put_TextForeColor(RGB(0, 0, 0));
    effects->put_TextGlowColor(RGB(0, 0, 255));
    effects->put_TextGlowBlur(125);
    effects->put_TextGlowIntensity(5);
    const Readback glow = Build(2);
    int lit = 0;
    ForInk(false, [&](int x, int y) {
        lit += glow.Alpha(x, y) > 128;
        ASSERT_EQ(glow.Colour(x, y) >> 8, 0u) << "glow colour only, " << x << ", " << y;
    });
    EXPECT_GT(lit, 100);
    ForInk(true, [&](int x, int y) { ASSERT_EQ(glow.Colour(x, y), 0u) << "black ink on top"; });
    EXPECT_GT(glow.left, 8) << "room for the halo left of the content";
}

// White ink with a black inner shadow cast down and right: ink just inside
// its top-left edges darkens, ink just inside its bottom-right edges stays.
TEST_F(TextLayerTest, InnerShadowDarkensTheInkOnTheShadowSideOnly) {
    effects->put_TextForeColor(RGB(255, 255, 255));
    effects->put_TextInnerShadowDistanceX(2);
    effects->put_TextInnerShadowDistanceY(2);
    effects->put_TextInnerShadowAlpha(255);
    effects->put_TextInnerShadowIntensity(0);
    const Readback shaded = Build(1);
    int lit = 0, dark = 0;
    ForInk(true, [&](int x, int y) {
        const bool shadowSide = ink.Alpha(x - 2, y - 2) == 0;
        const bool farSide = ink.Alpha(x + 2, y + 2) == 0 && ink.Alpha(x - 2, y - 2) == 255 &&
                             ink.Alpha(x - 2, y) == 255 && ink.Alpha(x, y - 2) == 255;
        if (shadowSide) dark += shaded.Channel(x, y, 8) < 64;
        if (farSide) {
            ++lit;
            ASSERT_EQ(shaded.Colour(x, y), 0xFFFFFFu) << x << ", " << y;
        }
    });
    EXPECT_GT(dark, 20);
    EXPECT_GT(lit, 10);
}

// Red to blue from left to right: along the axis the colour moves from red
// to blue; across it (down a column) it stays.
TEST_F(TextLayerTest, GradientTextChangesColourAlongTheAxisOnly) {
    ASSERT_NO_FATAL_FAILURE(RedToBlueText());
    effects->put_TextGradientAngle(90);
    const Readback shaded = Build(3);
    int previous = 256, columns = 0;
    for (int x = 0; x < ink.width - ink.left; ++x) {
        int red = -1;
        for (int y = 0; y < ink.height - ink.top; ++y) {
            if (ink.Alpha(x, y) != 255) continue;
            const int r = shaded.Channel(x, y, 16), b = shaded.Channel(x, y, 0);
            ASSERT_NEAR(r + b, 255, 2) << x << ", " << y;
            if (red < 0) red = r;
            ASSERT_NEAR(r, red, 1) << "across the axis, " << x << ", " << y;
        }
        if (red < 0) continue;
        ++columns;
        EXPECT_LE(red, previous) << "along the axis, column " << x;
        previous = red;
    }
    EXPECT_GT(columns, 10);
    EXPECT_LT(previous, 64);
}

// Mode 4, centred on the text's box with half its width as the radius (calc
// mode 0): red in the middle to blue at the radius, each ink pixel the blend
// at its distance from the centre, whichever way it lies.
TEST_F(TextLayerTest, RadialGradientTextFollowsTheDistanceFromTheCentre) {
    ASSERT_NO_FATAL_FAILURE(RedToBlueText());
    effects->put_TextGradientCalcMode(0);
    const Readback shaded = Build(4);
    const int w = ink.width - ink.left, h = ink.height - ink.top;
    const double cx = w / 2, cy = h / 2, radius = w / 2;
    int central = 0, outer = 0;
    ForInk(true, [&](int x, int y) {
        const double d = std::hypot(x + 0.5 - cx, y + 0.5 - cy) / radius;
        const int want = int(std::lround(255 * (1 - std::min(d, 1.0))));
        const int r = shaded.Channel(x, y, 16), b = shaded.Channel(x, y, 0);
        ASSERT_NEAR(r, want, 8) << x << ", " << y;
        ASSERT_NEAR(r + b, 255, 2) << x << ", " << y;
        central += d < 0.3;
        outer += d > 0.7;
    });
    EXPECT_GT(central, 10) << "ink near the centre";
    EXPECT_GT(outer, 10) << "ink near the radius";
}

// Stripes of two colours as the texture: the ink shows only those.
TEST_F(TextLayerTest, TextureTextTakesTheTexturesColoursInsideTheInk) {
    // A bitmap of its own, selected into no DC, as pictures hold them.
    std::uint32_t bits[8 * 8];
    for (int i = 0; i < 64; ++i)
        bits[i] = i % 8 < 4 ? 0x00FF00 : 0xFFFF00;
    const UniqueBitmap stripes(::CreateBitmap(8, 8, 1, 32, bits));
    ASSERT_TRUE(stripes);
    PICTDESC desc{sizeof(PICTDESC), PICTYPE_BITMAP};
    desc.bmp.hbitmap = stripes.get();
    ComPtr<IPictureDisp> picture;
    ASSERT_EQ(::OleCreatePictureIndirect(&desc, IID_IPictureDisp, FALSE,
                                         reinterpret_cast<void**>(picture.GetAddressOf())),
              S_OK);
    ASSERT_EQ(effects->putref_TextTexture(picture.Get()), S_OK);
    effects->put_TextForeColor(RGB(0, 0, 255));
    const Readback textured = Build(5);
    int green = 0, yellow = 0;
    ForInk(true, [&](int x, int y) {
        const std::uint32_t c = textured.Colour(x, y);
        ASSERT_TRUE(c == 0x00FF00u || c == 0xFFFF00u) << std::hex << c;
        green += c == 0x00FF00u, yellow += c == 0xFFFF00u;
    });
    EXPECT_GT(green, 20);
    EXPECT_GT(yellow, 20);
}

// Light from the upper right (45 degrees): the highlight colour gathers up
// and right of the shadow colour.
TEST_F(TextLayerTest, EmbossPutsHighlightAndShadowOnOppositeSidesAlongTheLight) {
    effects->put_TextForeColor(RGB(128, 128, 128));
    effects->put_ApplyTextEmboss(-1);
    effects->put_TextEmbossDepth(3);
    effects->put_TextEmbossAngle(45);
    effects->put_TextEmbossSoftness(100);
    effects->put_TextEmbossAlpha(255);
    effects->put_TextEmbossHighlightColor(RGB(0, 255, 0));
    effects->put_TextEmbossShadowColor(RGB(0, 0, 255));
    const Readback embossed = Build(0);
    double hx = 0, hy = 0, hn = 0, sx = 0, sy = 0, sn = 0;
    for (int y = -embossed.top; y < embossed.height - embossed.top; ++y)
        for (int x = -embossed.left; x < embossed.width - embossed.left; ++x) {
            const int g = embossed.Channel(x, y, 8), b = embossed.Channel(x, y, 0),
                      r = embossed.Channel(x, y, 16);
            if (g > r + 60) hx += x, hy += y, hn += 1;
            if (b > r + 60) sx += x, sy += y, sn += 1;
        }
    ASSERT_GT(hn, 20);
    ASSERT_GT(sn, 20);
    EXPECT_GT(hx / hn - sx / sn, 0.5) << "highlight to the right";
    EXPECT_LT(hy / hn - sy / sn, -0.5) << "highlight above";
}

// The font's weight and slant show in the ink, compared with the regular
// font's: Tahoma, whose bold Wine draws with the regular outlines (the
// engine thickens it), and whose italic leans past its advance.
TEST_F(TextLayerTest, TheFontsWeightAndSlantShowInTheInk) {
    struct Ink {
        double total = 0, topX = 0, bottomX = 0; // the mean x of the upper, lower third
    };
    const auto build = [&](SHORT weight, BOOL italic) {
        UseFont(L"Tahoma", 20, weight, italic);
        const Readback r = Build(0);
        Ink ink;
        double top = 0, bottom = 0;
        for (int y = 0; y < r.height; ++y)
            for (int x = 0; x < r.width; ++x) {
                const double a = r.alpha[std::size_t(y) * r.width + x] / 255.0;
                ink.total += a;
                if (y < r.height / 3) ink.topX += a * x, top += a;
                if (y >= r.height * 2 / 3) ink.bottomX += a * x, bottom += a;
            }
        ink.topX /= top, ink.bottomX /= bottom;
        return ink;
    };
    text = L"l l";
    const Ink regular = build(FW_NORMAL, FALSE);
    ASSERT_GT(regular.total, 20);
    EXPECT_GT(build(FW_BOLD, FALSE).total, regular.total * 1.25) << "bold";
    const Ink italic = build(FW_NORMAL, TRUE);
    EXPECT_GT(italic.topX - italic.bottomX, regular.topX - regular.bottomX + 1) << "italic";
}

TEST_F(TextLayerTest, OtherModesDrawNoTextAndBadSettingsDoNotStopIt) {
    for (const LONG mode : {-1, 6, 99}) {
        const Readback none = Build(mode);
        EXPECT_EQ(none.width - none.left, ink.width - ink.left) << mode;
        for (const std::uint32_t a : none.alpha)
            ASSERT_EQ(a, 0u) << mode;
    }
    // No settings object, no font, no text: an empty caption, no failure.
    const ComPtr<IFxLayer> bare = NewLayer();
    EXPECT_EQ(bare->BuildTextLayer(nullptr, nullptr, nullptr, nullptr, 0, 0, 0), S_OK);
    // A settings object of another kind: every setting its default.
    ComPtr<IDispatch> stranger;
    ASSERT_EQ(bare.As(&stranger), S_OK);
    const Bstr text(L"x");
    EXPECT_EQ(bare->BuildTextLayer(stranger.Get(), nullptr, nullptr, text.get(), 5, 5, 0), S_OK);
    EXPECT_EQ(SizeOf(bare).first >= 5, true);
}

} // namespace
} // namespace pkw::fx::test
