// The button's window and drawing: the region without its corner pixels,
// the snap of small sizes, disabled text engraved or coloured, and
// BeginUpdate holding every drawing back until EndUpdate.
#include "tests/button/button_fixture.h"

#include "common/com/bstr.h"
#include "common/win/unique_handle.h"
#include "host/units.h"

namespace pkw::test {
namespace {

constexpr COLORREF kRed = RGB(255, 0, 0);

class ButtonLookTest : public ButtonTest {
protected:
    std::size_t pixelsOf(const PlacedButton& b, COLORREF color) {
        return captureControl(form(), *b.site.Get()).count(color);
    }
};

// Any other style keeps the window whole.
TEST_F(ButtonLookTest, TheWindowRegionLeavesOutTheFourCornerPixels) {
    for (const int style : {1, 2, 3}) {
        SCOPED_TRACE(testing::Message() << "ButtonStyle " << style);
        PlacedButton b = loadButton({{L"ButtonStyle", Variant::fromI4(style)}});
        ASSERT_TRUE(b);
        UniqueRegion region(::CreateRectRgn(0, 0, 0, 0));
        if (style == 3) {
            EXPECT_EQ(::GetWindowRgn(b.window(), region.get()), ERROR) << "a region was set";
            continue;
        }
        ASSERT_NE(::GetWindowRgn(b.window(), region.get()), ERROR);
        const int w = kRect.right - kRect.left, h = kRect.bottom - kRect.top;
        for (const POINT p : {POINT{0, 0}, POINT{w - 1, 0}, POINT{0, h - 1}, POINT{w - 1, h - 1}})
            EXPECT_FALSE(::PtInRegion(region.get(), p.x, p.y)) << p.x << "," << p.y;
        for (const POINT p : {POINT{1, 0}, POINT{0, 1}, POINT{w - 2, h - 1}, POINT{w - 1, h - 2},
                              POINT{w / 2, h / 2}})
            EXPECT_TRUE(::PtInRegion(region.get(), p.x, p.y)) << p.x << "," << p.y;
        ASSERT_EQ(form().remove(*b.site.Get()), S_OK);
    }
}

TEST_F(ButtonLookTest, ASideBelowTenPixelsSnapsTo150Twips) {
    PlacedButton b = placeButton();
    ASSERT_TRUE(b);
    const int snapped = 150 / (1440 / units::dpiX());
    struct Case {
        const char* name;
        RECT rect;
        SIZE expected;
    };
    const Case cases[] = {
        {"narrow", {20, 20, 25, 50}, {snapped, 30}},
        {"flat", {20, 20, 120, 29}, {100, 150 / (1440 / units::dpiY())}},
        {"ten by ten stays", {20, 20, 30, 30}, {10, 10}},
    };
    for (const Case& c : cases) {
        ASSERT_EQ(b.site->move(c.rect), S_OK) << c.name;
        RECT client{};
        EXPECT_TRUE(pumpUntil([&] {
            ::GetClientRect(b.window(), &client);
            return client.right == c.expected.cx && client.bottom == c.expected.cy;
        })) << c.name
            << ": " << client.right << " x " << client.bottom;
    }
}

TEST_F(ButtonLookTest, DisabledTextIsEngravedOrInItsOwnColour) {
    PlacedButton b = placeButton({20, 20, 160, 60});
    ASSERT_TRUE(b);
    ASSERT_EQ(b.button->put_Caption(Bstr(L"WWWWWW").get()), S_OK);
    ASSERT_EQ(b.button->put_Enabled(VARIANT_FALSE), S_OK);
    const COLORREF highlight = ::GetSysColor(COLOR_3DHILIGHT);
    const COLORREF shadow = ::GetSysColor(COLOR_3DSHADOW);
    EXPECT_GT(pixelsOf(b, shadow), 20u) << "no shadow text";
    EXPECT_GT(pixelsOf(b, highlight), 20u) << "no highlight text";
    EXPECT_EQ(pixelsOf(b, kRed), 0u);

    ASSERT_EQ(b.button->put_DisabledForeColor(0xFF), S_OK);
    EXPECT_GT(pixelsOf(b, kRed), 20u) << "no red text";
    EXPECT_EQ(pixelsOf(b, shadow), 0u) << "still engraved";
}

TEST_F(ButtonLookTest, BeginUpdateDrawsNothingUntilEndUpdate) {
    PlacedButton b = placeButton({20, 20, 160, 60});
    ASSERT_TRUE(b);
    ASSERT_EQ(b.button->put_Caption(Bstr(L"WWWWWW").get()), S_OK);
    ASSERT_EQ(pixelsOf(b, kRed), 0u);
    ASSERT_EQ(b.button->BeginUpdate(), S_OK);
    ASSERT_EQ(b.button->put_ForeColor(0xFF), S_OK);
    ::RedrawWindow(b.window(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    EXPECT_EQ(pixelsOf(b, kRed), 0u) << "drawn during the update";
    ASSERT_EQ(b.button->EndUpdate(), S_OK);
    EXPECT_GT(pixelsOf(b, kRed), 20u) << "EndUpdate did not draw";
}

} // namespace
} // namespace pkw::test
