// Which frame of its skin strip the button shows in each state, read from
// the screen against the strip the resource server lends.
#include "tests/button/button_fixture.h"

#include "common/com/bstr.h"

namespace pkw::test {
namespace {

constexpr POINT kInside{50, 15};

class ButtonFramesTest : public ButtonTest {};

TEST_F(ButtonFramesTest, StyleOneShowsEachStateItsFrame) {
    PlacedButton b = placeButton();
    ASSERT_TRUE(b);
    ASSERT_EQ(b.button->put_Caption(Bstr(L"").get()), S_OK);
    EXPECT_TRUE(showsFrame(b, 1, 0)) << "unfocused";

    ::SetFocus(b.window());
    EXPECT_TRUE(showsFrame(b, 1, 2)) << "focused";

    ASSERT_TRUE(input::moveTo(*b.site.Get(), kInside));
    EXPECT_TRUE(showsFrame(b, 1, 1)) << "hot";

    ASSERT_TRUE(input::press(*b.site.Get(), kInside));
    EXPECT_TRUE(showsFrame(b, 1, 6)) << "pressed over the button";
    ASSERT_TRUE(input::moveOutside(*b.site.Get()));
    EXPECT_TRUE(showsFrame(b, 1, 2)) << "pressed, cursor moved off";
    ASSERT_TRUE(input::release());

    ASSERT_TRUE(input::keyDown(VK_SPACE));
    EXPECT_TRUE(showsFrame(b, 1, 6)) << "space held";
    ASSERT_TRUE(input::keyUp(VK_SPACE));
    EXPECT_TRUE(showsFrame(b, 1, 2)) << "space released";

    ASSERT_EQ(b.button->put_Enabled(VARIANT_FALSE), S_OK);
    EXPECT_TRUE(showsFrame(b, 1, 3)) << "disabled";
}

TEST_F(ButtonFramesTest, StyleTwoShowsNormalHotAndPressed) {
    PlacedButton b = loadButton({{L"ButtonStyle", Variant::fromI4(2)}});
    ASSERT_TRUE(b);
    EXPECT_TRUE(showsFrame(b, 2, 0)) << "normal";
    ::SetFocus(b.window());
    EXPECT_TRUE(showsFrame(b, 2, 0)) << "focus shows nothing of its own";

    ASSERT_TRUE(input::moveTo(*b.site.Get(), kInside));
    EXPECT_TRUE(showsFrame(b, 2, 1)) << "hot";
    ASSERT_TRUE(input::press(*b.site.Get(), kInside));
    EXPECT_TRUE(showsFrame(b, 2, 2)) << "pressed over the button";
    ASSERT_TRUE(input::release());
    EXPECT_TRUE(showsFrame(b, 2, 1)) << "released, still hot";

    ASSERT_TRUE(input::moveOutside(*b.site.Get()));
    EXPECT_TRUE(showsFrame(b, 2, 0)) << "the cursor left";
}

} // namespace
} // namespace pkw::test
