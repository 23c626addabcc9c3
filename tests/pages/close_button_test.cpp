// The about box's close button as plain state, driven without a window.
#include "pages/close_button.h"

#include <gtest/gtest.h>

#include <string>

namespace pkw::test {
namespace {

using pages::CloseButton;
using State = pages::CloseButtonState;

constexpr ax::units::TwipsPerPixel k15{15, 15};
constexpr POINT kOnButton{350, 288};
constexpr POINT kOffButton{100, 100};

TEST(CloseButton, APressReleasedOffTheButtonReturnsToNormalAndDoesNotClose) {
    CloseButton button(k15);
    EXPECT_TRUE(button.mouseDown(kOnButton).repaint);
    EXPECT_EQ(button.state(), State::Pressed);
    // Dragging off with the button held keeps the pressed look.
    EXPECT_FALSE(button.mouseMove(kOffButton, true).repaint);
    EXPECT_EQ(button.state(), State::Pressed);

    const auto up = button.mouseUp(kOffButton);
    EXPECT_FALSE(up.close);
    EXPECT_TRUE(up.repaint);
    EXPECT_EQ(button.state(), State::Normal);
}

TEST(CloseButton, APressReleasedOnTheButtonCloses) {
    CloseButton button(k15);
    button.mouseDown(kOnButton);
    EXPECT_TRUE(button.mouseUp(kOnButton).close);
}

TEST(CloseButton, HoveringInAndOutChangesTheLookAndRepaintsOnceEach) {
    CloseButton button(k15);
    struct Step {
        POINT at;
        State look;
        bool repaint;
    };
    const Step steps[] = {
        {kOffButton, State::Normal, false},
        {kOnButton, State::Hot, true},
        {{kOnButton.x + 5, kOnButton.y}, State::Hot, false},
        {kOffButton, State::Normal, true},
        {kOffButton, State::Normal, false},
    };
    for (const Step& step : steps) {
        const auto reaction = button.mouseMove(step.at, false);
        EXPECT_EQ(reaction.repaint, step.repaint) << step.at.x << "," << step.at.y;
        EXPECT_FALSE(reaction.close);
        EXPECT_EQ(button.state(), step.look) << step.at.x << "," << step.at.y;
    }
}

// At 15 twips per pixel the button is drawn at pixel (312, 276), and its
// hit rectangle covers pixels 313 to 386 across and 276 to 299 down.
struct Edge {
    const char* name;
    POINT pixel;
    bool inside;
};

class CloseButtonEdge : public testing::TestWithParam<Edge> {};

TEST_P(CloseButtonEdge, HitTest) {
    EXPECT_EQ(CloseButton(k15).hit(GetParam().pixel), GetParam().inside);
}

INSTANTIATE_TEST_SUITE_P(
    At15TwipsPerPixel, CloseButtonEdge,
    testing::Values(Edge{"LeftOut", {312, 288}, false}, Edge{"LeftIn", {313, 288}, true},
                    Edge{"RightIn", {386, 288}, true}, Edge{"RightOut", {387, 288}, false},
                    Edge{"TopOut", {350, 275}, false}, Edge{"TopIn", {350, 276}, true},
                    Edge{"BottomIn", {350, 299}, true}, Edge{"BottomOut", {350, 300}, false}),
    [](const testing::TestParamInfo<Edge>& info) { return std::string(info.param.name); });

} // namespace
} // namespace pkw::test
