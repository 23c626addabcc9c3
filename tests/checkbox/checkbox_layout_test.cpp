// Size and redraw rules of NuCheckBox40: the minimum height, the drawing
// area of the effects look, BeginUpdate / EndUpdate, and what a setter
// draws at once.
#include "tests/checkbox/checkbox_fixture.h"
#include "host/effect_sets.h"

namespace pkw::test {
namespace {

int Tpp() {
    return 1440 / units::dpiX();
}

// A pixel by the bottom-right corner of the control, clear of the glyph, the
// caption and an effects-look border.
COLORREF CornerPixel(const PlacedBox& b) {
    RECT client{};
    ::GetClientRect(b.window(), &client);
    const RECT corner{client.right - 2, client.bottom - 2, client.right - 1, client.bottom - 1};
    const Image image = captureWindow(b.window(), &corner);
    return image.empty() ? CLR_INVALID : image.color(0, 0);
}

TEST_F(CheckBoxTest, ResizingBelowTheMinimumHeightEndsAtIt) {
    struct Case {
        LONG effects;
        LONG heightPixels;
        double expectedTwips;
    };
    const int tpp = Tpp();
    const Case cases[] = {
        {0, 10, 210},        // too low: raised
        {0, 20, 20.0 * tpp}, // high enough: kept
        {1, 10, 10.0 * tpp}, // the effects look has no minimum
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message()
                     << "VisualEffectStyle " << c.effects << ", " << c.heightPixels << " px");
        auto b = placeBox();
        ASSERT_TRUE(b);
        put(b, L"VisualEffectStyle", I4(c.effects));
        RECT r = b.site->rect();
        r.bottom = r.top + c.heightPixels;
        ASSERT_HRESULT_SUCCEEDED(b.site->move(r));
        pumpPending();
        EXPECT_EQ(extenderNumber(b, L"Height"), c.expectedTwips);
        RECT client{};
        ::GetClientRect(b.window(), &client);
        EXPECT_EQ(client.bottom * tpp, static_cast<LONG>(c.expectedTwips));
        if (c.effects == 0) {
            // The standard look draws on the whole window.
            EXPECT_EQ(getNumber(b, L"ControlWidth"), client.right);
            EXPECT_EQ(getNumber(b, L"ControlHeight"), client.bottom);
        }
        form().remove(*b.site.Get());
    }
}

// The effects look's window is its drawing area plus the offsets; until
// EndUpdate, VisualEffectStyle does not resize it, though other setters draw.
TEST_F(CheckBoxTest, BeginUpdateHoldsOnlyTheRefreshOfVisualEffectStyle) {
    auto b = placeBox();
    ASSERT_TRUE(b);
    const int tpp = Tpp();
    const double widthBefore = extenderNumber(b, L"Width");
    put(b, L"XOffset", I4(4));
    const double area = getNumber(b, L"ControlWidth");

    // A flag, not a counter: two BeginUpdate, one EndUpdate.
    ASSERT_HRESULT_SUCCEEDED(b.box->BeginUpdate());
    ASSERT_HRESULT_SUCCEEDED(callMethod(b.late(), L"BeginUpdate"));
    put(b, L"VisualEffectStyle", I4(1));
    EXPECT_EQ(extenderNumber(b, L"Width"), widthBefore) << "refreshed before EndUpdate";

    // Other setters still draw at once, in the look VisualEffectStyle chose:
    // the normal state's fill is on the screen.
    const auto sets = EffectSetsOf(get(b, L"EffectsProps"));
    ASSERT_EQ(sets.size(), 4u);
    ASSERT_HRESULT_SUCCEEDED(sets[0]->put_BackColor(0x0000FF));
    put(b, L"BackColor", I4(0x00FF00));
    EXPECT_EQ(CornerPixel(b), RGB(255, 0, 0));

    ASSERT_HRESULT_SUCCEEDED(b.box->EndUpdate());
    EXPECT_EQ(extenderNumber(b, L"Width"), (area + 4) * tpp);
    EXPECT_EQ(getNumber(b, L"ControlWidth"), area) << "the refresh's own resize leaves it alone";

    // A later resize from the container computes the area back from the size.
    RECT r = b.site->rect();
    r.bottom += 5;
    ASSERT_HRESULT_SUCCEEDED(b.site->move(r));
    pumpPending();
    EXPECT_EQ(getNumber(b, L"ControlWidth"), area);
    EXPECT_EQ(getNumber(b, L"ControlHeight"), (r.bottom - r.top) - getNumber(b, L"YOffset"));
}

TEST_F(CheckBoxTest, ColourSettersDrawWithoutWaitingForAPaint) {
    auto b = placeBox();
    ASSERT_TRUE(b);
    struct Case {
        OLE_COLOR back;
        COLORREF seen;
    };
    const Case cases[] = {{0x123456, RGB(0x56, 0x34, 0x12)},
                          {0x80000005, ::GetSysColor(COLOR_WINDOW)}};
    for (const Case& c : cases) {
        ASSERT_HRESULT_SUCCEEDED(b.box->put_BackColor(c.back));
        EXPECT_EQ(CornerPixel(b), c.seen) << std::hex << c.back;
    }
}

TEST_F(CheckBoxTest, ATransparentControlShowsTheFormBehindIt) {
    for (bool userMode : {true, false}) {
        SCOPED_TRACE(userMode ? "run time" : "design time");
        form().setUserMode(userMode);
        auto b = placeBox();
        ASSERT_TRUE(b);
        ASSERT_HRESULT_SUCCEEDED(b.box->put_BackColor(0x0000FF));
        struct Case {
            NuBackStyleConstants style;
            COLORREF seen;
        };
        const Case cases[] = {{nuTransparent, ::GetSysColor(COLOR_BTNFACE)},
                              {nuOpaque, RGB(255, 0, 0)},
                              {nuTransparent, ::GetSysColor(COLOR_BTNFACE)}};
        for (const Case& c : cases) {
            ASSERT_HRESULT_SUCCEEDED(b.box->put_BackStyle(c.style));
            form().repaint();
            pumpPending();
            EXPECT_EQ(CornerPixel(b), c.seen) << "BackStyle " << c.style;
        }
        form().remove(*b.site.Get());
    }
}

// The control's font object tells the control of every change: the window
// draws with the new font at once, without a property call.
TEST_F(CheckBoxTest, AChangeOfTheFontObjectRedrawsAtOnce) {
    auto b = placeBox(L"Check1", {10, 10, 250, 70});
    ASSERT_TRUE(b);
    put(b, L"UniCaption", Str(L"WWWW"));
    ASSERT_HRESULT_SUCCEEDED(b.box->put_BackColor(0xFFFFFF));
    auto inked = [&] {
        Image image = captureWindow(b.window());
        return image.pixels().size() - image.count(RGB(255, 255, 255));
    };
    const std::size_t small = inked();
    Variant font = get(b, L"Font");
    ASSERT_EQ(font.vt, VT_DISPATCH);
    ASSERT_HRESULT_SUCCEEDED(putProperty(font.pdispVal, L"Size", R4(24)));
    const std::size_t large = inked();
    EXPECT_GT(large, small + small / 2) << small << " inked pixels before, " << large << " after";
}

} // namespace
} // namespace pkw::test
