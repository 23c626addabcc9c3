// What NuCheckBox40 draws, read back from the screen: where the glyph, the
// picture and the caption stand for each alignment, the caption's colour
// when enabled and disabled, the picture used when disabled, and the focus
// rectangle.
#include "tests/checkbox/checkbox_fixture.h"
#include "tests/host/test_pictures.h"

#include <functional>
#include <vector>

namespace pkw::test {
namespace {

// A white control of 150 x 30 pixels whose caption is "HHHH": vertical
// stems keep the text's own colour even where the font is smoothed.
constexpr RECT kBoxRect{10, 10, 160, 40};
constexpr LONG kWidth = 150, kHeight = 30;
constexpr COLORREF kCaption = RGB(200, 0, 0);
constexpr COLORREF kDisabledCaption = RGB(0, 150, 0);
constexpr COLORREF kPicture = RGB(0, 160, 0);
constexpr COLORREF kDisabledPicture = RGB(0, 0, 200);
constexpr LONG kPictureSize = 12;

// The glyph: whatever is neither the background nor one of the test's
// own colours.
bool GlyphInk(COLORREF c) {
    return c != kWhite && c != kCaption && c != kDisabledCaption && c != kPicture &&
           c != kDisabledPicture;
}

struct Look {
    const char* name;
    LONG alignment = 0;
    bool enabled = true;
    bool picture = false;
    bool disabledPicture = false;
    bool focused = false;
    bool focusRectangle = true;
};

class CheckBoxDrawingTest : public CheckBoxTest {
protected:
    Image draw(const Look& look) {
        auto b = placeBox(L"Check1", kBoxRect);
        if (!b) return {};
        put(b, L"UniCaption", Str(L"HHHH"));
        // An RGB value is its own OLE_COLOR.
        put(b, L"BackColor", I4(LONG(kWhite)));
        put(b, L"ForeColor", I4(LONG(kCaption)));
        put(b, L"DisabledForeColor", I4(LONG(kDisabledCaption)));
        put(b, L"Alignment", I4(look.alignment));
        put(b, L"DrawFocusRectangle", Bool(look.focusRectangle));
        const auto picture = [&](const wchar_t* name, COLORREF colour) {
            EXPECT_HRESULT_SUCCEEDED(
                b.site->putRef(name, bitmapPicture(kPictureSize, kPictureSize, colour).Get()));
        };
        if (look.picture) picture(L"Picture", kPicture);
        if (look.disabledPicture) picture(L"PictureDisabled", kDisabledPicture);
        put(b, L"Enabled", Bool(look.enabled));
        if (look.focused) {
            EXPECT_HRESULT_SUCCEEDED(form().focus(*b.site.Get()));
        }
        pumpPending();
        Image image = captureWindow(b.window());
        EXPECT_EQ(image.width(), kWidth);
        EXPECT_EQ(image.height(), kHeight);
        form().remove(*b.site.Get());
        return image;
    }
};

// The glyph at the side Alignment names, the picture and the caption beside
// it in order, everything centred vertically.
TEST_F(CheckBoxDrawingTest, EachPartStandsWhereTheAlignmentPutsIt) {
    struct Case {
        Look look;
        bool glyphLeft;
        LONG pictureLeft; // -1: no picture
        // Left-aligned text starts here, right-aligned text ends here; its
        // ink lies within a letter's bearing of it.
        LONG captionEdge;
    };
    const Case cases[] = {
        {{"GlyphLeft"}, true, -1, kGlyph + 4},
        {{"GlyphLeftPicture", 0, true, true, true},
         true,
         kGlyph + 3,
         kGlyph + 2 + kPictureSize + 4},
        {{"GlyphRight", 1}, false, -1, kWidth - 4 - kGlyph},
        {{"GlyphRightPicture", 1, true, true}, false, 2, kWidth - 4 - kGlyph},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.look.name);
        const Image image = draw(c.look);
        ASSERT_FALSE(image.empty());
        const RECT left{0, 0, kGlyph, kHeight}, right{kWidth - kGlyph, 0, kWidth, kHeight};
        const Extent glyph = ExtentOf(image, GlyphInk, c.glyphLeft ? &left : &right);
        EXPECT_GT(glyph.count, 20u) << "the glyph's frame";
        EXPECT_EQ(ExtentOf(image, GlyphInk, c.glyphLeft ? &right : &left).count, 0u)
            << "nothing on the other side";
        EXPECT_NEAR((glyph.top + glyph.bottom) / 2.0, kHeight / 2.0, 1.5);

        const Extent picture = ExtentOf(image, Is(kPicture));
        if (c.pictureLeft < 0) {
            EXPECT_EQ(picture.count, 0u);
        } else {
            EXPECT_EQ(picture.count, std::size_t(kPictureSize * kPictureSize));
            EXPECT_EQ(picture.left, c.pictureLeft);
            EXPECT_EQ(picture.top, kHeight / 2 - kPictureSize / 2);
        }

        const Extent caption = ExtentOf(image, Is(kCaption));
        EXPECT_GT(caption.count, 20u) << "the caption in ForeColor";
        if (c.look.alignment == 0) {
            EXPECT_GE(caption.left, c.captionEdge);
            EXPECT_LE(caption.left, c.captionEdge + 3);
        } else {
            EXPECT_LE(caption.right, c.captionEdge);
            EXPECT_GE(caption.right, c.captionEdge - 6) << "the caption ends by the glyph";
            EXPECT_GT(caption.left, kPictureSize + 2);
        }
        EXPECT_NEAR((caption.top + caption.bottom) / 2.0, kHeight / 2.0, 3.5) << "centred";
    }
}

// Disabled: the caption in DisabledForeColor, and PictureDisabled in place
// of Picture. (Enabled, the alignment cases see only Picture and ForeColor.)
TEST_F(CheckBoxDrawingTest, ADisabledControlUsesItsDisabledColourAndPicture) {
    const Image image = draw({"Disabled", 0, false, true, true});
    ASSERT_FALSE(image.empty());
    EXPECT_GT(image.count(kDisabledCaption), 20u);
    EXPECT_EQ(image.count(kCaption), 0u);
    const Extent picture = ExtentOf(image, Is(kDisabledPicture));
    EXPECT_EQ(picture.count, std::size_t(kPictureSize * kPictureSize));
    EXPECT_EQ(picture.left, kGlyph + 3);
    EXPECT_EQ(image.count(kPicture), 0u);
}

// The dotted rectangle runs 3 pixels left of the caption, in a column that
// is otherwise blank: drawn only with the focus and DrawFocusRectangle.
TEST_F(CheckBoxDrawingTest, TheFocusRectangleFramesTheCaptionOfAFocusedControl) {
    struct Case {
        Look look;
        bool framed;
    };
    const Case cases[] = {
        {{"FocusedWithRectangle", 0, true, false, false, true, true}, true},
        {{"FocusedWithoutRectangle", 0, true, false, false, true, false}, false},
        {{"NotFocused", 0, true, false, false, false, true}, false},
    };
    const LONG column = kGlyph + 4 - 3;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.look.name);
        const Image image = draw(c.look);
        ASSERT_FALSE(image.empty());
        const RECT area{column, 0, column + 1, kHeight};
        const Extent dots = ExtentOf(
            image, [](COLORREF p) { return p != kWhite; }, &area);
        if (c.framed) {
            EXPECT_GE(dots.count, 4u);
            const Extent caption = ExtentOf(image, Is(kCaption));
            EXPECT_LT(dots.top, caption.top);
            EXPECT_GT(dots.bottom, caption.bottom);
        } else {
            EXPECT_EQ(dots.count, 0u);
        }
    }
}

} // namespace
} // namespace pkw::test
