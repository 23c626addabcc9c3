// The tool tip drawn with its own effect set, read back from the screen:
// the body's fill by BackStyle (gradients, textures, none), the header's and
// the caption's text effects and images, and a new set while it shows.
#include "tip_support.h"

#include "test_windows.h"

#include "host/message_loop.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <string>
#include <utility>
#include <vector>

namespace {

using namespace pkw::globals_test;
using pkw::host::Image;
using pkw::host::pumpUntil;

// Borders of successive shows: a capture holding the other one is of the
// tip before (Wine puts a re-shown window's new pixels on the screen a
// little after the window itself).
constexpr COLORREF kBorders[2] = {RGB(0, 160, 0), RGB(160, 0, 160)};
constexpr COLORREF kRed = RGB(255, 0, 0), kGreen = RGB(0, 255, 0), kBlue = RGB(0, 0, 255);
// The lines' plain ink; neither leans to red or green, even blended.
constexpr COLORREF kHeaderInk = RGB(96, 0, 96), kCaptionInk = RGB(0, 0, 192);

bool similar(COLORREF a, COLORREF b, int tolerance = 16) {
    return std::abs(GetRValue(a) - GetRValue(b)) <= tolerance &&
           std::abs(GetGValue(a) - GetGValue(b)) <= tolerance &&
           std::abs(GetBValue(a) - GetBValue(b)) <= tolerance;
}

// How far a pixel leans to one channel over the other two.
int lean(COLORREF c, int channel) {
    const int v[3] = {GetRValue(c), GetGValue(c), GetBValue(c)};
    return v[channel] - std::max(v[(channel + 1) % 3], v[(channel + 2) % 3]);
}

// The body inside its one-pixel border, in the capture's pixels (inclusive):
// found on the middle column (the tail stands left of it) and on a row
// just below the top border.
struct Inside {
    int left = -1, top = -1, right = -1, bottom = -1;
    bool found() const { return left > 0 && top > 0 && right > left && bottom > top; }
};

Inside insideOf(const Image& image, COLORREF border) {
    // The first border pixel from `from` towards `to`.
    const auto edge = [&](int from, int to, const std::function<COLORREF(int)>& at) {
        for (int i = from; i != to; i += from < to ? 1 : -1)
            if (at(i) == border) return i;
        return -2;
    };
    const int mx = image.width() / 2, w = image.width(), h = image.height();
    const int top = edge(0, h, [&](int y) { return image.color(mx, y); }) + 1;
    const int row = std::max(top + 2, 0);
    return Inside{edge(0, w, [&](int x) { return image.color(x, row); }) + 1, top,
                  edge(w - 1, -1, [&](int x) { return image.color(x, row); }) - 1,
                  edge(h - 1, -1, [&](int y) { return image.color(mx, y); }) - 1};
}

const std::wstring kText = L"MOVE THE SLIDER TO THE RIGHT";

class TipEffects : public TipWindow {
protected:
    void SetUp() override {
        TipWindow::SetUp();
        freshLook();
    }

    // A new set for the tip, square-cornered and without a shadow, so that
    // the body's edges fall on whole pixels, in the lines' plain inks;
    // `header` as its header line.
    void freshLook(const wchar_t* header = L"") {
        effects_ = squareLook();
        Bstr text(header);
        effects_->put_HeaderText(text.get());
        ASSERT_EQ(tip_->SetEffects(effects_.Get()), S_OK);
    }

    static ComPtr<IEffectSet> squareLook() {
        ComPtr<IEffectSet> set = tipLook();
        set->put_Radius(0);
        set->put_MarginTop(6);
        set->put_HeaderForeColor(kHeaderInk);
        set->put_TextForeColor(kCaptionInk);
        return set;
    }

    // Shows the tip above and right of the screen's centre, its tail on the
    // bottom edge's left part; the tip as the screen showed it, hidden again.
    Image showAndCapture(const std::wstring& text = kText,
                         const std::function<bool(const Image&)>& ready = {}) {
        shows_ = (shows_ + 1) % 2;
        const COLORREF border = kBorders[shows_], before = kBorders[1 - shows_];
        effects_->put_BorderColor(border);
        const HWND tip = show(screenCentre(), text, 0, 1, 2);
        EXPECT_NE(tip, nullptr);
        if (!tip) return {};
        Image image;
        EXPECT_TRUE(pumpUntil([&] {
            image = screenPixels(windowRect(tip));
            return image.count(border) > 40 && image.count(before) == 0 && (!ready || ready(image));
        })) << "this tip reaches the screen";
        EXPECT_EQ(tip_->HideTip(0), S_OK);
        return image;
    }

    // The body inside the border of the last show.
    Inside insideOf(const Image& image) const { return ::insideOf(image, kBorders[shows_]); }

    int shows_ = 0;
};

// Stops evenly spread from 0 to 100 %; the fill sampled at the top-left,
// top-middle, top-right and bottom-middle of the body.
TEST_F(TipEffects, GradientBodiesRunFromTheirFirstStopToTheirLast) {
    struct Case {
        const char* what;
        SHORT angle;
        LONG stopMode;
        std::vector<COLORREF> stops, samples;
    };
    const Case cases[] = {
        {"down", 0, 0, {kRed, kBlue}, {kRed, kRed, kRed, kBlue}},
        {"across, two stops", 90, 0, {kRed, kBlue, kGreen}, {kRed, kBlue, kBlue, kBlue}},
        {"across, every stop", 90, 2, {kRed, kGreen, kBlue}, {kRed, kGreen, kBlue, kGreen}},
    };
    effects_->put_BackStyle(2);
    ComPtr<IGradInfo> info;
    ASSERT_EQ(effects_->get_BodyGradInfo(&info), S_OK);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        std::vector<GradStop> stops;
        for (std::size_t i = 0; i < c.stops.size(); ++i)
            stops.push_back({LONG(c.stops[i]), SHORT(100 * i / (c.stops.size() - 1))});
        ASSERT_EQ(info->SetStops(LONG(stops.size()), stops.data()), S_OK);
        effects_->put_BodyGradientAngle(c.angle);
        effects_->put_BodyGradientMode(c.stopMode);
        const Image image = showAndCapture();
        const Inside in = insideOf(image);
        ASSERT_TRUE(in.found());
        const int mx = (in.left + in.right) / 2;
        const COLORREF seen[] = {image.color(in.left, in.top), image.color(mx, in.top),
                                 image.color(in.right, in.top), image.color(mx, in.bottom)};
        for (int i = 0; i < 4; ++i)
            EXPECT_TRUE(similar(seen[i], c.samples[i], 24)) << i << ": " << std::hex << seen[i];
    }
}

TEST_F(TipEffects, TexturesTileStretchOrLendTheirCorner) {
    // Textures whose left half is one colour and right half the other.
    constexpr COLORREF kLeft = RGB(200, 40, 40), kRight = RGB(40, 40, 200);
    struct Case {
        const char* what;
        int width, height;
        LONG sizeMode;
        int minChanges, maxChanges; // colour changes along a row of the body
        COLORREF leftEnd, rightEnd; // of that row
    };
    const Case cases[] = {
        {"small, tiled", 8, 8, 0, 12, 1000, kLeft, 0},
        {"small, stretched", 8, 8, 1, 1, 2, kLeft, kRight},
        {"larger than the body: its top-left corner", 1200, 400, 0, 0, 0, kLeft, kLeft},
    };
    effects_->put_BackStyle(4);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const ComPtr<IPictureDisp> texture = pkw::test::bitmapPictureOf(
            c.width, c.height, [&](int x, int) { return x < c.width / 2 ? kLeft : kRight; });
        ASSERT_TRUE(texture);
        ASSERT_EQ(effects_->putref_BodyTexture(texture.Get()), S_OK);
        effects_->put_BodyTextureSizeMode(c.sizeMode);
        const Image image = showAndCapture();
        const Inside in = insideOf(image);
        ASSERT_TRUE(in.found());
        const int row = in.top + 1;
        int changes = 0;
        for (int x = in.left + 1; x <= in.right; ++x)
            changes += image.color(x, row) != image.color(x - 1, row);
        EXPECT_GE(changes, c.minChanges);
        EXPECT_LE(changes, c.maxChanges);
        EXPECT_EQ(image.color(in.left, row), c.leftEnd);
        if (c.rightEnd) {
            EXPECT_EQ(image.color(in.right, row), c.rightEnd);
        }
    }
}

TEST_F(TipEffects, BackStyleOneShowsWhatIsBehindTheBalloon) {
    constexpr COLORREF kBehind = RGB(0, 128, 128), kBack = RGB(255, 255, 224),
                       kInk = RGB(128, 0, 0);
    // A solid window for the tip to stand over.
    static const pkw::UniqueBrush behind(::CreateSolidBrush(kBehind));
    pkw::test::RegisterClassFor(L"pkwTipBackdrop", &::DefWindowProcW, behind.get());
    const POINT at = screenCentre();
    const pkw::UniqueWindow backdrop(::CreateWindowExW(
        WS_EX_TOOLWINDOW | WS_EX_NOACTIVATE, L"pkwTipBackdrop", L"", WS_POPUP | WS_VISIBLE,
        at.x - 300, at.y - 200, 600, 220, nullptr, nullptr, nullptr, nullptr));
    pkw::test::PumpUntilPainted(backdrop.get());
    struct Case {
        const char* what;
        LONG backStyle;
        COLORREF inside;
    };
    const Case cases[] = {
        {"0: BackColor", 0, kBack},
        {"1: no fill", 1, kBehind},
    };
    effects_->put_BackColor(kBack);
    effects_->put_TextForeColor(kInk);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        effects_->put_BackStyle(c.backStyle);
        // Wine cuts a re-shown layered window to its new see-through pixels
        // a little after it shows them: wait for the inside to settle.
        const Image image = showAndCapture(kText, [&](const Image& seen) {
            const Inside in = insideOf(seen);
            return in.found() && seen.color(in.left + 1, in.top + 1) == c.inside;
        });
        const Inside in = insideOf(image);
        ASSERT_TRUE(in.found()) << "the border stays";
        EXPECT_EQ(image.color(in.left + 1, in.top + 1), c.inside);
        EXPECT_EQ(image.color(in.right - 1, in.bottom - 1), c.inside);
        EXPECT_GT(image.count(kInk), 10u) << "the text stays";
    }
}

// The caption glows red, the header green: each shows in its colour only.
TEST_F(TipEffects, HeaderAndCaptionTakeTheirOwnTextEffects) {
    struct Case {
        const char* what;
        void (*set)(IEffectSet*);
        bool red, green;
    };
    const Case cases[] = {
        {"plain", [](IEffectSet*) {}, false, false},
        {"caption glow",
         [](IEffectSet* s) {
             s->put_TextEnhancementMode(2);
             s->put_TextGlowColor(kRed);
             s->put_TextGlowBlur(60);
             s->put_TextGlowIntensity(5);
         },
         true, false},
        {"header glow",
         [](IEffectSet* s) {
             s->put_HeaderEnhancementMode(2);
             s->put_HeaderGlowColor(kGreen);
             s->put_HeaderGlowBlur(60);
             s->put_HeaderGlowIntensity(5);
         },
         false, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        freshLook(L"TITLE");
        c.set(effects_.Get());
        const Image image = showAndCapture(L"MOVE THE SLIDER");
        const Inside in = insideOf(image);
        ASSERT_TRUE(in.found());
        int red = 0, green = 0;
        for (int y = in.top; y <= in.bottom; ++y)
            for (int x = in.left; x <= in.right; ++x) {
                red += lean(image.color(x, y), 0) > 40;
                green += lean(image.color(x, y), 1) > 40;
            }
        EXPECT_TRUE(c.red ? red >= 40 : red == 0) << red << " red pixels";
        EXPECT_TRUE(c.green ? green >= 40 : green == 0) << green << " green pixels";
    }
}

// Blur and Soften work on the whole balloon, its text with it; BodyBlur
// only on the fill under the text.
TEST_F(TipEffects, BlurAndSoftenTakeTheTextWithTheBody) {
    struct Case {
        const char* what;
        void (*set)(IEffectSet*);
        bool sharp;
    };
    const Case cases[] = {
        {"neither", [](IEffectSet*) {}, true},
        {"BodyBlur", [](IEffectSet* s) { s->put_BodyBlur(40); }, true},
        {"Blur", [](IEffectSet* s) { s->put_Blur(40); }, false},
        {"Soften", [](IEffectSet* s) { s->put_Soften(100); }, false},
    };
    std::size_t sharpInk = 0;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        freshLook();
        c.set(effects_.Get());
        const std::size_t ink = showAndCapture(L"MOVE IT").count(kCaptionInk);
        if (!sharpInk) sharpInk = ink;
        ASSERT_GT(sharpInk, 40u);
        if (c.sharp)
            EXPECT_GT(ink, sharpInk * 3 / 4);
        else
            EXPECT_LT(ink, sharpInk / 2);
    }
}

// Without the effects engine beside the library the tip still shows its
// balloon: the border, the fill in BackColor (a gradient needs the
// engine) and both lines as plain text in their colours.
TEST_F(TipEffects, WithoutTheEngineTheTipDrawsAPlainBalloon) {
    constexpr COLORREF kBack = RGB(255, 255, 200);
    ASSERT_TRUE(pkw::test::CopyLibrariesWithout(L"no_fx", {L"zelFX40.dll"}));
    static const pkw::test::ServerDll lone(L"no_fx\\zelGlobals40.dll");
    newTip(lone);
    freshLook(L"TITLE");
    effects_->put_BackStyle(2);
    effects_->put_BackColor(kBack);
    const Image image = showAndCapture(L"MOVE IT");
    const Inside in = insideOf(image);
    ASSERT_TRUE(in.found());
    EXPECT_EQ(image.color(in.left + 1, in.top + 1), kBack);
    EXPECT_GT(image.count(kHeaderInk), 10u);
    EXPECT_GT(image.count(kCaptionInk), 10u);
}

TEST_F(TipEffects, ANewSetRedrawsAShownTipOnly) {
    constexpr COLORREF kFirst = RGB(255, 255, 200), kSecond = RGB(200, 230, 255);
    effects_->put_BackColor(kFirst);
    const HWND tip = show(screenCentre(), kText);
    ASSERT_NE(tip, nullptr);
    const RECT rect = windowRect(tip);
    ASSERT_TRUE(pumpUntil([&] { return screenPixels(rect).count(kFirst) > 100; }));

    const ComPtr<IEffectSet> second = squareLook();
    second->put_BackColor(kSecond);
    ASSERT_EQ(tip_->SetEffects(second.Get()), S_OK);
    EXPECT_TRUE(pumpUntil([&] { return screenPixels(rect).count(kSecond) > 100; }))
        << "the shown tip takes the new set's look";
    EXPECT_EQ(screenPixels(rect).count(kFirst), 0u);

    ASSERT_EQ(tip_->HideTip(0), S_OK);
    ASSERT_EQ(tip_->SetEffects(effects_.Get()), S_OK);
    EXPECT_EQ(shownTip(), nullptr) << "a hidden tip stays hidden";
}

TEST_F(TipEffects, BodyEmbossLightsTheBalloonsEdgesOnly) {
    constexpr COLORREF kBack = RGB(200, 200, 200);
    for (const bool emboss : {false, true}) {
        SCOPED_TRACE(emboss ? "emboss" : "no emboss");
        freshLook();
        effects_->put_BackColor(kBack);
        effects_->put_ApplyBodyEmboss(emboss ? VARIANT_TRUE : VARIANT_FALSE);
        // The tip's look lights it at 45 degrees, soft and opaque.
        effects_->put_BodyEmbossDepth(3);
        effects_->put_BodyEmbossHighlightColor(RGB(255, 255, 255));
        effects_->put_BodyEmbossShadowColor(RGB(0, 0, 0));
        const Image image = showAndCapture();
        const Inside in = insideOf(image);
        ASSERT_TRUE(in.found());
        const COLORREF edges[] = {image.color(in.left, (in.top + in.bottom) / 2),
                                  image.color(in.right, (in.top + in.bottom) / 2)};
        for (const COLORREF edge : edges)
            EXPECT_EQ(edge != kBack, emboss) << std::hex << edge;
        EXPECT_EQ(image.color(in.left + 8, in.top + 2), kBack) << "inside, the fill stays";
    }
}

// The smallest rectangle around every pixel of the colour (empty: none).
RECT boundsOf(const Image& image, COLORREF color) {
    RECT r{image.width(), image.height(), 0, 0};
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (image.color(x, y) == color) {
                r.left = std::min<LONG>(r.left, x);
                r.top = std::min<LONG>(r.top, y);
                r.right = std::max<LONG>(r.right, x + 1);
                r.bottom = std::max<LONG>(r.bottom, y + 1);
            }
    return r;
}

TEST_F(TipEffects, ImagesStandBesideTheirLinesWithoutTheirMaskColour) {
    constexpr COLORREF kPicture = RGB(0, 170, 80), kMask = RGB(255, 0, 255);
    // A square with a hole of the mask colour in its middle.
    const ComPtr<IPictureDisp> picture = pkw::test::bitmapPictureOf(16, 16, [](int x, int y) {
        return x >= 6 && x < 10 && y >= 6 && y < 10 ? kMask : kPicture;
    });
    ASSERT_TRUE(picture);
    struct Case {
        const char* what;
        bool header;  // the header's image, else the caption's
        bool onRight; // HeaderImageOnRight
    };
    const Case cases[] = {
        {"caption image", false, false},
        {"header image", true, false},
        {"header image on the right", true, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        freshLook(L"TITLE");
        // The tip's look keys both images out in magenta, fully opaque.
        if (c.header) {
            effects_->putref_HeaderImage(picture.Get());
            effects_->put_HeaderImageOnRight(c.onRight ? VARIANT_TRUE : VARIANT_FALSE);
        } else {
            effects_->putref_Image(picture.Get());
        }
        const Image image = showAndCapture(L"MOVE IT");
        const RECT shown = boundsOf(image, kPicture);
        const RECT line = boundsOf(image, c.header ? kHeaderInk : kCaptionInk);
        const RECT other = boundsOf(image, c.header ? kCaptionInk : kHeaderInk);
        ASSERT_EQ(shown.right - shown.left, 16) << text(shown);
        ASSERT_EQ(shown.bottom - shown.top, 16) << text(shown);
        ASSERT_LT(line.left, line.right) << "the line's text shows";
        if (c.onRight)
            EXPECT_GE(shown.left, line.right) << text(shown) << " beside " << text(line);
        else
            EXPECT_LE(shown.right, line.left) << text(shown) << " beside " << text(line);
        const LONG middle = (shown.top + shown.bottom) / 2;
        EXPECT_TRUE(middle >= line.top && middle < line.bottom)
            << text(shown) << " on the line " << text(line);
        EXPECT_TRUE(c.header ? shown.bottom <= other.top : shown.top >= other.bottom)
            << text(shown) << " stays on its own line, not " << text(other);
        EXPECT_EQ(image.count(kMask), 0u) << "the mask colour is left out";
    }
}

} // namespace
