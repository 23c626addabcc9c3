// The effects look of NuCheckBox40 read back from the screen, over a form
// that paints a checkerboard: the key colour and what shows through, the
// body's backgrounds (fill, gradients, textures), where the image and the
// caption go, the turned control, the set of each visual state, and the way
// back to the standard look.
#include "tests/checkbox/checkbox_fixture.h"
#include "host/effect_sets.h"
#include "tests/common/com_server/server_dll.h"
#include "tests/host/test_pictures.h"

#include "host/patterned_background.h"

#include <functional>
#include <memory>
#include <vector>

namespace pkw::test {
namespace {

// 120 x 24 pixels, on the corner of a pattern square.
constexpr RECT kBoxRect{16, 16, 136, 40};
constexpr LONG kWidth = 120, kHeight = 24;
constexpr COLORREF kInk = RGB(220, 0, 0);
constexpr COLORREF kImage = RGB(0, 160, 0);

using Pattern = PatternedBackground;

// The caption's ink: strongly red, whatever the smoothing left of it.
bool Reddish(COLORREF c) {
    return GetRValue(c) > 150 && GetGValue(c) < 90 && GetBValue(c) < 90;
}

// Each component of `c` within `tolerance` of the one of `want`.
bool Near(COLORREF c, COLORREF want, int tolerance) {
    return std::abs(GetRValue(c) - GetRValue(want)) <= tolerance &&
           std::abs(GetGValue(c) - GetGValue(want)) <= tolerance &&
           std::abs(GetBValue(c) - GetBValue(want)) <= tolerance;
}

class CheckBoxEffectsTest : public CheckBoxTest {
protected:
    void SetUp() override {
        CheckBoxTest::SetUp();
        pattern_ = std::make_unique<Pattern>(form().hwnd());
        pumpPending();
    }
    void TearDown() override {
        sets_.clear();
        pattern_.reset();
        CheckBoxTest::TearDown();
    }

    // A box with the effects look whose four state sets start alike and
    // plain: a white fill, no border, no image shadow, the caption in kInk.
    PlacedBox effectsBox(const std::wstring& caption = L"", const RECT& rect = kBoxRect) {
        PlacedBox b = placeBox(L"Check1", rect);
        if (!b) return b;
        put(b, L"UniCaption", Str(caption));
        put(b, L"VisualEffectStyle", I4(1));
        sets_ = EffectSetsOf(get(b, L"EffectsProps"));
        EXPECT_EQ(sets_.size(), 4u);
        each([](IEffectSet* s) {
            EXPECT_HRESULT_SUCCEEDED(s->put_BackStyle(0));
            EXPECT_HRESULT_SUCCEEDED(s->put_BackColor(kWhite));
            EXPECT_HRESULT_SUCCEEDED(s->put_Border(VARIANT_FALSE));
            EXPECT_HRESULT_SUCCEEDED(s->put_ApplyImageShadow(VARIANT_FALSE));
            EXPECT_HRESULT_SUCCEEDED(s->put_TextForeColor(kInk));
        });
        return b;
    }

    // The same change to every state's set.
    void each(const std::function<void(IEffectSet*)>& change) {
        for (auto& set : sets_)
            if (set) change(set.Get());
    }
    IEffectSet* state(int index) { return sets_.at(std::size_t(index)).Get(); }

    Image show(const PlacedBox& b) {
        EXPECT_HRESULT_SUCCEEDED(b.box->Refresh());
        pumpPending();
        return captureWindow(b.window());
    }

    // The pattern's colour under a pixel of a control placed at `rect`.
    static COLORREF PatternAt(LONG x, LONG y, const RECT& rect = kBoxRect) {
        return Pattern::colourAt(rect.left + x, rect.top + y);
    }

    std::vector<ComPtr<IEffectSet>> sets_;

private:
    std::unique_ptr<Pattern> pattern_;
};

// Without background the parent's pattern shows everywhere but on the
// glyph and the border: the key colour (BorderColor one step up in each
// component, white keying black) takes nothing else of the body.
TEST_F(CheckBoxEffectsTest, WithoutBackgroundTheParentShowsAroundTheGlyphAndTheBorder) {
    auto b = effectsBox();
    ASSERT_TRUE(b);
    each([&](IEffectSet* s) {
        s->put_BackStyle(1);
        s->put_Border(VARIANT_TRUE);
        s->put_BorderColor(kWhite);
    });
    const Image image = show(b);
    ASSERT_EQ(image.width(), kWidth);
    ASSERT_EQ(image.height(), kHeight);
    const RECT glyph{2, kHeight / 2 - kGlyph / 2, 2 + kGlyph, kHeight / 2 - kGlyph / 2 + kGlyph};
    std::size_t glyphInk = 0;
    for (LONG y = 0; y < kHeight; ++y)
        for (LONG x = 0; x < kWidth; ++x) {
            const COLORREF p = image.color(x, y);
            if (x == 0 || y == 0 || x == kWidth - 1 || y == kHeight - 1) {
                ASSERT_EQ(p, kWhite) << "border at " << x << "," << y;
            } else if (::PtInRect(&glyph, POINT{x, y})) {
                glyphInk += p != PatternAt(x, y);
            } else {
                ASSERT_EQ(p, PatternAt(x, y)) << "the parent at " << x << "," << y;
            }
        }
    EXPECT_GT(glyphInk, 20u) << "the glyph's frame";
}

// BackStyle 2 and 3 lay a gradient of the stops over BackColor, along the
// set's angle.
TEST_F(CheckBoxEffectsTest, TheBodyIsFilledOrGraded) {
    constexpr COLORREF kRed = RGB(255, 0, 0), kBlue = RGB(0, 0, 255), kFill = RGB(30, 140, 90);
    struct Case {
        const char* name;
        LONG backStyle;
        SHORT angle;
        POINT first, last; // where the first stop's and the last stop's colour show
    };
    const Case cases[] = {
        {"LinearAcross", 2, 90, {1, 12}, {kWidth - 2, 12}},
        {"RadialFromTheCentre", 3, 0, {kWidth / 2, kHeight / 2}, {2, 1}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        auto b = effectsBox();
        ASSERT_TRUE(b);
        each([&](IEffectSet* s) {
            s->put_GlyphAlignment(2); // no glyph in the way
            s->put_BackStyle(c.backStyle);
            s->put_BackColor(kFill);
            s->put_BodyGradientAngle(c.angle);
            s->put_BodyGradientMode(0);
            s->put_BodyGradientCalcMode(0);
            ComPtr<IGradInfo> grad;
            ASSERT_HRESULT_SUCCEEDED(s->get_BodyGradInfo(&grad));
            const GradStop stops[] = {{LONG(kRed), 0}, {LONG(kBlue), 100}};
            ASSERT_HRESULT_SUCCEEDED(grad->SetStops(2, const_cast<GradStop*>(stops)));
        });
        const Image image = show(b);
        ASSERT_FALSE(image.empty());
        EXPECT_TRUE(Near(image.color(c.first.x, c.first.y), kRed, 39))
            << std::hex << image.color(c.first.x, c.first.y);
        EXPECT_TRUE(Near(image.color(c.last.x, c.last.y), kBlue, 39))
            << std::hex << image.color(c.last.x, c.last.y);
        EXPECT_EQ(image.count(kFill), 0u) << "the gradient covers the fill";
        form().remove(*b.site.Get());
    }
}

// A texture smaller than the body is tiled (BodyTextureSizeMode 0) or
// stretched (1). (Which blits cover a body is tested without a control.)
TEST_F(CheckBoxEffectsTest, ATextureIsTiledOrStretched) {
    // Every pixel of the texture tells where it came from.
    const auto coded = [](int x, int y) { return RGB(x, 4 * y, 77); };
    const auto halves = [](int x, int) { return x < 5 ? RGB(200, 0, 0) : RGB(0, 0, 200); };
    struct Case {
        const char* name;
        int width, height;
        std::function<COLORREF(int, int)> texture;
        LONG sizeMode;
        std::function<COLORREF(LONG, LONG)> expected; // -1: not checked
    };
    const Case cases[] = {
        {"SmallerTiled", 16, 10, coded, 0, [&](LONG x, LONG y) { return coded(x % 16, y % 10); }},
        {"SmallerStretched", 10, 6, halves, 1,
         [&](LONG x, LONG) {
             return x < 55 ? RGB(200, 0, 0) : x >= 65 ? RGB(0, 0, 200) : CLR_INVALID;
         }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        auto b = effectsBox();
        ASSERT_TRUE(b);
        const auto texture = bitmapPictureOf(c.width, c.height, c.texture);
        ASSERT_TRUE(texture);
        each([&](IEffectSet* s) {
            s->put_GlyphAlignment(2);
            s->put_BackStyle(4);
            s->put_BodyTextureSizeMode(c.sizeMode);
            EXPECT_HRESULT_SUCCEEDED(s->putref_BodyTexture(texture.Get()));
        });
        const Image image = show(b);
        ASSERT_FALSE(image.empty());
        for (LONG y = 0; y < kHeight; ++y)
            for (LONG x = 0; x < kWidth; ++x) {
                const COLORREF want = c.expected(x, y);
                if (want == CLR_INVALID) continue;
                ASSERT_EQ(image.color(x, y), want) << "at " << x << "," << y;
            }
        form().remove(*b.site.Get());
    }
}

// The image and the caption on the glyph's side, as the layout (tested
// without a control) puts what the control measured: the image alone over
// the glyph's place at the margin; with a caption, the image first beside
// the glyph and the caption 2 pixels on.
TEST_F(CheckBoxEffectsTest, ImageAndCaptionStandWhereTheLayoutPutsThem) {
    constexpr LONG kImageSize = 12, kColumn = kGlyph + 2;
    struct Case {
        const char* name;
        SHORT glyphAlignment;
        bool caption;
        LONG imageLeft;
        LONG captionEdge; // glyph left: the ink starts here; right: it ends here
    };
    const Case cases[] = {
        {"ImageOnlyGlyphRight", 1, false, kWidth - kImageSize, -1},
        {"BothGlyphLeft", 0, true, kColumn, kColumn + kImageSize + 2},
        {"BothGlyphRight", 1, true, kWidth - kColumn - kImageSize,
         kWidth - kColumn - kImageSize - 2},
    };
    const auto picture = bitmapPicture(kImageSize, kImageSize, kImage);
    ASSERT_TRUE(picture);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        auto b = effectsBox(c.caption ? L"HHH" : L"");
        ASSERT_TRUE(b);
        each([&](IEffectSet* s) {
            s->put_GlyphAlignment(c.glyphAlignment);
            EXPECT_HRESULT_SUCCEEDED(s->putref_Image(picture.Get()));
        });
        const Image image = show(b);
        ASSERT_FALSE(image.empty());

        const Extent pasted = ExtentOf(image, Is(kImage));
        EXPECT_EQ(pasted.count, std::size_t(kImageSize * kImageSize));
        EXPECT_EQ(pasted.left, c.imageLeft);
        EXPECT_EQ(pasted.top, kHeight / 2 - kImageSize / 2);
        const Extent ink = ExtentOf(image, Reddish);
        if (!c.caption) {
            EXPECT_EQ(ink.count, 0u);
            continue;
        }
        EXPECT_GT(ink.count, 20u) << "the caption in its colour";
        if (c.glyphAlignment == 0) {
            EXPECT_GE(ink.left, c.captionEdge);
            EXPECT_LE(ink.left, c.captionEdge + 3) << "within a letter's bearing";
        } else {
            EXPECT_LE(ink.right, c.captionEdge);
            EXPECT_GE(ink.right, c.captionEdge - 4) << "within a letter's bearing";
        }
        EXPECT_NEAR((ink.top + ink.bottom) / 2.0, kHeight / 2.0, 3.0) << "centred";
        form().remove(*b.site.Get());
    }
}

// Rotation turns the finished control, glyph and caption together, counter-
// clockwise: a quarter turn puts the glyph at the bottom and stands the
// caption up above it.
TEST_F(CheckBoxEffectsTest, RotationTurnsGlyphAndCaptionTogether) {
    constexpr RECT kSquare{16, 16, 76, 76}; // 60 x 60
    constexpr LONG kSide = 60;
    struct Case {
        const char* name;
        SHORT rotation;
        // Where the glyph's centre goes, and whether the caption lies across.
        POINT glyphCentre;
        bool captionAcross;
        // Which way from the glyph the caption lies.
        int dx, dy;
    };
    const LONG middle = kSide / 2, edge = kGlyph / 2;
    const Case cases[] = {
        {"HalfTurn", 1, {kSide - 1 - edge, middle}, true, -1, 0},
        {"QuarterTurn", 2, {middle, kSide - 1 - edge}, false, 0, -1},
        {"ThreeQuarters", 3, {middle, edge}, false, 0, +1},
        {"OtherValuesDoNotTurn", 4, {edge, middle}, true, +1, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        auto b = effectsBox(L"HH", kSquare);
        ASSERT_TRUE(b);
        each([&](IEffectSet* s) { s->put_Rotation(c.rotation); });
        const Image image = show(b);
        ASSERT_EQ(image.width(), kSide);
        ASSERT_EQ(image.height(), kSide);
        const Extent caption =
            ExtentOf(image, [](COLORREF p) { return GetRValue(p) > GetGValue(p) + 60; });
        const Extent glyph = ExtentOf(
            image, [](COLORREF p) { return p != kWhite && GetRValue(p) <= GetGValue(p) + 60; });
        ASSERT_GT(glyph.count, 20u);
        ASSERT_GT(caption.count, 10u);
        EXPECT_NEAR((glyph.left + glyph.right) / 2.0, c.glyphCentre.x + 0.5, 2.0);
        EXPECT_NEAR((glyph.top + glyph.bottom) / 2.0, c.glyphCentre.y + 0.5, 2.0);
        const LONG across = caption.right - caption.left, up = caption.bottom - caption.top;
        EXPECT_EQ(across > up, c.captionAcross) << across << " x " << up;
        // Centre to centre along (dx, dy): at least half of each, so apart.
        const LONG along = (caption.left + caption.right - glyph.left - glyph.right) * c.dx +
                           (caption.top + caption.bottom - glyph.top - glyph.bottom) * c.dy;
        EXPECT_GE(along, (c.dx ? across + glyph.right - glyph.left : up + glyph.bottom - glyph.top))
            << "the caption beside the glyph";
        form().remove(*b.site.Get());
    }
}

// The finished control casts its shadow into the room XOffset and YOffset
// add, and Alpha lets the parent through the whole of it.
TEST_F(CheckBoxEffectsTest, ShadowAndAlphaLayTheControlOverItsParent) {
    auto b = effectsBox();
    ASSERT_TRUE(b);
    put(b, L"XOffset", I4(4));
    put(b, L"YOffset", I4(4));
    each([](IEffectSet* s) {
        s->put_GlyphAlignment(2);
        s->put_ApplyDropShadow(VARIANT_TRUE);
        s->put_DropShadowColor(0);
        s->put_DropShadowAlpha(255);
        s->put_DropShadowXDistance(3);
        s->put_DropShadowYDistance(3);
    });
    Image image = show(b);
    ASSERT_EQ(image.width(), kWidth + 4);
    ASSERT_EQ(image.height(), kHeight + 4);
    const auto darker = [](COLORREF c, COLORREF than) {
        return GetRValue(c) + GetGValue(c) + GetBValue(c) + 60 <
               GetRValue(than) + GetGValue(than) + GetBValue(than);
    };
    EXPECT_EQ(image.color(60, 12), kWhite) << "the body";
    EXPECT_TRUE(darker(image.color(kWidth + 1, kHeight / 2), PatternAt(kWidth + 1, kHeight / 2)))
        << "the shadow right of the body";
    EXPECT_TRUE(darker(image.color(kWidth / 2, kHeight + 1), PatternAt(kWidth / 2, kHeight + 1)))
        << "the shadow below the body";
    EXPECT_TRUE(Near(image.color(kWidth + 1, 0), PatternAt(kWidth + 1, 0), 40))
        << "cast downwards, the parent in the room above it";

    each([](IEffectSet* s) {
        s->put_ApplyDropShadow(VARIANT_FALSE);
        s->put_Alpha(128);
    });
    image = show(b);
    for (const POINT p : {POINT{60, 12}, POINT{20, 3}}) {
        const COLORREF under = PatternAt(p.x, p.y);
        const COLORREF half = RGB((255 + GetRValue(under)) / 2, (255 + GetGValue(under)) / 2,
                                  (255 + GetBValue(under)) / 2);
        EXPECT_TRUE(Near(image.color(p.x, p.y), half, 6)) << p.x << "," << p.y;
    }
}

// Each visual state draws from its own set: hovering takes the hot set,
// pressing the pressed one, a disabled control the disabled one.
TEST_F(CheckBoxEffectsTest, EachVisualStateDrawsItsOwnSet) {
    const COLORREF fills[] = {RGB(240, 240, 240), RGB(255, 220, 120), RGB(120, 200, 255),
                              RGB(180, 180, 180)};
    auto b = effectsBox();
    ASSERT_TRUE(b);
    for (int i = 0; i < 4; ++i)
        state(i)->put_BackColor(fills[i]);
    const POINT probe{100, 3};
    const auto shows = [&](COLORREF fill) {
        return pumpUntil([&] { return captureWindow(b.window()).color(probe.x, probe.y) == fill; });
    };
    ASSERT_HRESULT_SUCCEEDED(b.box->Refresh());
    EXPECT_TRUE(shows(fills[0])) << "normal";
    ASSERT_TRUE(input::moveTo(*b.site.Get(), {90, 12}));
    EXPECT_TRUE(shows(fills[1])) << "hot";
    ASSERT_TRUE(input::press(*b.site.Get(), {90, 12}));
    EXPECT_TRUE(shows(fills[2])) << "pressed";
    ASSERT_TRUE(input::release());
    EXPECT_TRUE(shows(fills[1])) << "hot again after the click";
    ASSERT_TRUE(input::moveOutside(*b.site.Get()));
    EXPECT_TRUE(shows(fills[0])) << "normal once the cursor left";
    put(b, L"Enabled", Bool(false));
    EXPECT_TRUE(shows(fills[3])) << "disabled";
}

// Without the resource server there is no glyph strip: the effects look
// draws the plain box of the standard look, checked as the value says.
TEST_F(CheckBoxEffectsTest, WithoutAGlyphStripTheEffectsLookDrawsThePlainBox) {
    ASSERT_TRUE(CopyLibrariesWithout(L"no_resources", {L"zelResSrv40.dll"}));
    ComPtr<IUnknown> control;
    ASSERT_EQ(createFromDll(besideProgram(L"no_resources\\zelPickwell40.ocx"), CLSID_NuCheckBox40,
                            control),
              S_OK);
    PlacedBox b{form().add(control.Get(), L"Check1", kBoxRect)};
    ASSERT_TRUE(b.site && SUCCEEDED(control.As(&b.box)));
    put(b, L"Value", I4(1));
    put(b, L"BackStyle", I4(1));
    put(b, L"BackColor", I4(LONG(kWhite)));
    const Image standard = show(b);
    put(b, L"VisualEffectStyle", I4(1));
    sets_ = EffectSetsOf(get(b, L"EffectsProps"));
    each([](IEffectSet* s) { s->put_Border(VARIANT_FALSE); });
    const Image effects = show(b);

    const LONG top = kHeight / 2 - kGlyph / 2;
    std::size_t dark = 0;
    for (LONG y = top; y < top + kGlyph; ++y)
        for (LONG x = 0; x < kGlyph; ++x) {
            ASSERT_EQ(effects.color(x, y), standard.color(x, y)) << x << "," << y;
            dark += GetRValue(standard.color(x, y)) < 100;
        }
    EXPECT_GT(dark, std::size_t(4 * kGlyph)) << "the box's frame and its check";
}

// What a state built is kept from paint to paint; whatever it shows that
// changes, even inside an object the set holds, shows on the next paint.
TEST_F(CheckBoxEffectsTest, AChangeShowsOnTheNextPaint) {
    constexpr COLORREF kGreen = RGB(0, 150, 0), kBlue = RGB(0, 0, 200);
    constexpr POINT kBodyProbe{110, 3};
    auto b = effectsBox(L"HH");
    ASSERT_TRUE(b);
    ComPtr<IGradInfo> grad;
    ASSERT_HRESULT_SUCCEEDED(state(0)->get_BodyGradInfo(&grad));
    const auto stops = [&](COLORREF colour) {
        grad->put_GradColor(0, LONG(colour));
        grad->put_GradColor(1, LONG(colour));
    };
    state(0)->put_BackStyle(2);
    state(0)->put_BodyGradientMode(0);
    stops(kGreen);
    const auto ink = [](const Image& image) { return ExtentOf(image, Reddish); };
    const Image before = show(b);
    const Extent first = ink(before);
    ASSERT_EQ(before.color(kBodyProbe.x, kBodyProbe.y), kGreen);
    ASSERT_GT(first.count, 10u);

    ComPtr<IFontDisp> font;
    ComPtr<IFont> inPlace;
    ASSERT_HRESULT_SUCCEEDED(state(0)->get_Font(&font));
    ASSERT_HRESULT_SUCCEEDED(font.As(&inPlace));
    ASSERT_HRESULT_SUCCEEDED(inPlace->put_Size(CY{.int64 = 20 * 10000LL}));
    const Extent larger = ink(show(b));
    EXPECT_GT(larger.bottom - larger.top, first.bottom - first.top + 4) << "the font's size";

    put(b, L"UniCaption", Str(L"HHHH"));
    EXPECT_GT(ink(show(b)).right, larger.right + 10) << "the caption";

    stops(kBlue);
    EXPECT_EQ(show(b).color(kBodyProbe.x, kBodyProbe.y), kBlue) << "the stops";

    state(0)->put_TextForeColor(kBlue);
    EXPECT_EQ(ink(show(b)).count, 0u) << "the caption's colour";
}

// Back to VisualEffectStyle 0: the standard look in the control's own
// colours, nothing of the effect sets.
TEST_F(CheckBoxEffectsTest, StyleZeroBringsBackTheStandardLook) {
    constexpr COLORREF kFill = RGB(30, 140, 90), kStandard = RGB(250, 250, 250);
    auto b = effectsBox(L"HH");
    ASSERT_TRUE(b);
    put(b, L"BackStyle", I4(1));
    put(b, L"BackColor", I4(LONG(kStandard)));
    put(b, L"ForeColor", I4(0));
    each([&](IEffectSet* s) { s->put_BackColor(kFill); });
    const Image effects = show(b);
    EXPECT_GT(effects.count(kFill), std::size_t(kWidth * kHeight / 2));
    EXPECT_GT(ExtentOf(effects, Reddish).count, 10u);

    put(b, L"VisualEffectStyle", I4(0));
    pumpPending();
    const Image standard = captureWindow(b.window());
    EXPECT_EQ(standard.count(kFill), 0u);
    EXPECT_GT(standard.count(kStandard), std::size_t(kWidth * kHeight / 2));
    EXPECT_EQ(ExtentOf(standard, Reddish).count, 0u)
        << "the caption in ForeColor, not in the set's colour";
}

} // namespace
} // namespace pkw::test
