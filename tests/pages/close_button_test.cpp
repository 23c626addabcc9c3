// The about box's close button as plain state, driven without a window.
#include "pages/close_button.h"

#include <gtest/gtest.h>

namespace pkw::test {
namespace {

using pages::CloseButton;
using State = pages::CloseButtonState;

constexpr ax::units::TwipsPerPixel k15{15, 15};
constexpr POINT kOn{350, 288}, kOnToo{355, 288}, kOff{100, 100};

TEST(CloseButton, APressReleasedOffTheButtonReturnsToNormalAndDoesNotClose) {
    CloseButton button(k15);
    EXPECT_TRUE(button.mouseDown(kOn).repaint);
    EXPECT_EQ(button.state(), State::Pressed);
    // Dragging off with the button held keeps the pressed look.
    EXPECT_FALSE(button.mouseMove(kOff, true).repaint);
    const auto up = button.mouseUp(kOff);
    EXPECT_FALSE(up.close);
    EXPECT_TRUE(up.repaint);
    EXPECT_EQ(button.state(), State::Normal);

    button.mouseDown(kOn);
    EXPECT_TRUE(button.mouseUp(kOn).close);
}

TEST(CloseButton, HoveringInAndOutChangesTheLookAndRepaintsOnceEach) {
    CloseButton button(k15);
    const struct {
        POINT at;
        State look;
        bool repaint;
    } moves[] = {{kOff, State::Normal, false},
                 {kOn, State::Hot, true},
                 {kOnToo, State::Hot, false},
                 {kOff, State::Normal, true},
                 {kOff, State::Normal, false}};
    for (const auto& move : moves) {
        EXPECT_EQ(button.mouseMove(move.at, false).repaint, move.repaint) << move.at.x;
        EXPECT_EQ(button.state(), move.look) << move.at.x;
    }
}

TEST(CloseButton, HitRectangleAt15TwipsPerPixel) {
    // Drawn at pixel (312, 276); pixels 313 to 386 across and 276 to 299 down hit it.
    const CloseButton button(k15);
    for (const LONG x : {313, 386})
        EXPECT_TRUE(button.hit({x, 288})) << x;
    for (const LONG x : {312, 387})
        EXPECT_FALSE(button.hit({x, 288})) << x;
    for (const LONG y : {276, 299})
        EXPECT_TRUE(button.hit({350, y})) << y;
    for (const LONG y : {275, 300})
        EXPECT_FALSE(button.hit({350, y})) << y;
}

} // namespace
} // namespace pkw::test
