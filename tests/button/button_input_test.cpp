// What the button raises for the mouse, the space bar and its access key,
// in order, and that a handler may let the button go.
#include "tests/button/button_fixture.h"

#include "common/com/bstr.h"

namespace pkw::test {
namespace {

using Names = std::vector<std::wstring>;

constexpr POINT kInside{50, 15};

class ButtonInputTest : public ButtonTest {
protected:
    // The recorded events without the key presses that posted keys bring.
    static Names withoutKeyPress(const PlacedButton& b) {
        Names names;
        for (const std::wstring& name : b.site->events().names())
            if (name != L"KeyPress") names.push_back(name);
        return names;
    }
};

// A press released over the button clicks; one released off it does not.
TEST_F(ButtonInputTest, AClickOverTheButtonRaisesDownUpAndClick) {
    PlacedButton b = placeButton();
    ASSERT_TRUE(b);
    ASSERT_TRUE(input::click(*b.site.Get(), kInside));
    EXPECT_TRUE(pumpUntil([&] { return b.site->events().count(L"Click") == 1; }));
    EXPECT_EQ(b.site->events().names(), (Names{L"MouseDown", L"MouseUp", L"Click"}));
    const RecordedEvent* down = b.site->events().last(L"MouseDown");
    ASSERT_TRUE(down);
    EXPECT_EQ(down->args[0].value.iVal, 1) << "left button";
    EXPECT_EQ(down->args[2].value.fltVal, float(kInside.x));
    EXPECT_EQ(down->args[3].value.fltVal, float(kInside.y));

    b.site->events().clear();
    ASSERT_TRUE(input::press(*b.site.Get(), kInside));
    ASSERT_TRUE(input::moveOutside(*b.site.Get()));
    ASSERT_TRUE(input::release());
    pumpPending();
    EXPECT_EQ(b.site->events().names(), (Names{L"MouseDown"}));
}

TEST_F(ButtonInputTest, SpaceDownAndUpRaiseKeyDownClickKeyUp) {
    PlacedButton b = placeButton();
    ASSERT_TRUE(b);
    ::SetFocus(b.window());
    ASSERT_TRUE(input::keyDown(VK_SPACE));
    EXPECT_EQ(withoutKeyPress(b), (Names{L"KeyDown"}));
    ASSERT_TRUE(input::keyUp(VK_SPACE));
    EXPECT_EQ(withoutKeyPress(b), (Names{L"KeyDown", L"Click", L"KeyUp"}));
}

TEST_F(ButtonInputTest, TheCaptionsAccessKeyClicks) {
    PlacedButton b = placeButton();
    ASSERT_TRUE(b);
    ASSERT_EQ(b.button->put_Caption(Bstr(L"&Go").get()), S_OK);
    ASSERT_TRUE(input::altKey(form(), L'g'));
    EXPECT_TRUE(pumpUntil([&] { return b.site->events().count(L"Click") == 1; }));
}

TEST_F(ButtonInputTest, AClickHandlerMayRemoveTheButton) {
    PlacedButton b = placeButton();
    ASSERT_TRUE(b);
    Site* site = b.site.Get();
    site->events().on(L"MouseUp", [&](EventCall&) { form().remove(*site); });
    b.button.Reset();
    ASSERT_TRUE(input::click(*b.site.Get(), kInside));
    pumpPending();
    EXPECT_EQ(site->events().count(L"MouseDown"), 1u);
    EXPECT_EQ(site->form(), nullptr);
}

} // namespace
} // namespace pkw::test
