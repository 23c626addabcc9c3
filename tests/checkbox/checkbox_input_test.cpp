// Mouse, keyboard, access-key and focus input through real window messages
// and the real cursor: the order of the events, the value they leave, and
// the glyph frame the control then shows.
#include "tests/checkbox/checkbox_fixture.h"

#include "common/win/dib_section.h"
#include "siblings/api/plain.h"
#include "host/message_spy.h"

#include <algorithm>

namespace pkw::test {
namespace {

using input::Button;
using Names = std::vector<std::wstring>;

constexpr POINT kInside{6, 8};
constexpr int kFrames = 12;

// The built-in strip's frames as the resource server lends them.
std::vector<Image> BuiltInFrames() {
    std::vector<Image> frames;
    const HDC strip = sib::ResSrv().GetStaticResDc(1001, 0);
    const DibSection dib(kGlyph, kGlyph * kFrames);
    if (strip && dib.valid() &&
        ::BitBlt(dib.dc(), 0, 0, dib.width(), dib.height(), strip, 0, 0, SRCCOPY)) {
        ::GdiFlush();
        Image all(dib.width(), dib.height());
        std::transform(dib.pixels(), dib.pixels() + all.pixels().size(), all.pixels().begin(),
                       [](std::uint32_t p) { return p & 0xFFFFFF; });
        for (LONG k = 0; k < kFrames; ++k)
            frames.push_back(all.crop({0, k * kGlyph, kGlyph, (k + 1) * kGlyph}));
    }
    if (strip) sib::ResSrv().ReleaseStaticResDc(strip);
    return frames;
}

// Which frame of the strip the control shows in the glyph's place, at the
// left and centred (-1: none of them); the strip's masked pixels show the
// background.
int ShownFrame(const Image& shown, const std::vector<Image>& frames) {
    const int top = shown.height() / 2 - kGlyph / 2;
    const auto matches = [&](const Image& frame) {
        for (int y = 0; y < kGlyph; ++y)
            for (int x = 0; x < kGlyph; ++x)
                if (frame.at(x, y) != 0xFF00FF && shown.at(x, top + y) != frame.at(x, y))
                    return false;
        return true;
    };
    const auto found = std::find_if(frames.begin(), frames.end(), matches);
    return found == frames.end() ? -1 : int(found - frames.begin());
}

// Hover-timer ticks the window got after its last mouse move.
std::size_t TicksSinceLastMove(const MessageSpy& spy) {
    std::size_t ticks = 0;
    for (const MessageSpy::Entry& e : spy.entries()) {
        if (e.message == WM_MOUSEMOVE) ticks = 0;
        if (e.message == WM_TIMER && e.wParam == 1) ++ticks;
    }
    return ticks;
}

class CheckBoxInputTest : public CheckBoxTest {
protected:
    void SetUp() override {
        CheckBoxTest::SetUp();
        frames_ = BuiltInFrames();
        ASSERT_EQ(frames_.size(), std::size_t(kFrames)) << "no built-in strip";
    }

    // The glyph frame the control draws now, after a repaint.
    int frame(const PlacedBox& b) {
        return ShownFrame(captureControl(form(), *b.site.Get()), frames_);
    }

    // Event names without the moves.
    static Names presses(const PlacedBox& b) {
        Names names = b.site->events().names();
        std::erase(names, std::wstring(L"MouseMove"));
        return names;
    }

    std::vector<Image> frames_;
};

TEST_F(CheckBoxInputTest, AClickOverTheControlTogglesBetweenDownAndUp) {
    struct Case {
        Button button;
        LONG before;
        LONG after;
        SHORT buttonArg;
    };
    const Case cases[] = {
        {Button::Left, 0, 1, 1},
        {Button::Right, 1, 0, 2},
        {Button::Middle, 2, 2, 4}, // grayed stays grayed, and still clicks
        {Button::Left, 7, 1, 1},   // an out-of-range value becomes checked
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "button " << c.buttonArg << ", value " << c.before);
        auto b = placeBox();
        ASSERT_TRUE(b);
        put(b, L"Value", I4(c.before));
        b.site->notifications().clear();
        b.site->events().clear();
        ASSERT_TRUE(input::click(*b.site.Get(), kInside, c.button));
        EXPECT_EQ(presses(b), (Names{L"MouseDown", L"Click", L"MouseUp"}));
        EXPECT_EQ(getNumber(b, L"Value"), c.after);
        const RecordedEvent* down = b.site->events().last(L"MouseDown");
        ASSERT_TRUE(down);
        EXPECT_EQ(NumberOf(down->arg(L"Button")->value), c.buttonArg);
        EXPECT_EQ(NumberOf(down->arg(L"X")->value), kInside.x);
        EXPECT_EQ(NumberOf(down->arg(L"Y")->value), kInside.y);
        // The container hears of a user's toggle through Click alone.
        EXPECT_EQ(b.site->notifications().count(L"Value"), 0u);
        // Still hovered after the click: the hot look of the new value.
        EXPECT_EQ(frame(b), int(c.after) * 4 + 1);
        ASSERT_TRUE(input::moveOutside(*b.site.Get()));
        form().remove(*b.site.Get());
    }
}

TEST_F(CheckBoxInputTest, APressFollowsTheCursorOutAndBackWithoutClickingOutside) {
    auto b = placeBox();
    ASSERT_TRUE(b);
    ASSERT_TRUE(input::moveTo(*b.site.Get(), kInside));
    EXPECT_EQ(frame(b), 1); // hot
    ASSERT_TRUE(input::press(*b.site.Get(), kInside));
    EXPECT_EQ(frame(b), 2); // pressed
    EXPECT_EQ(::GetCapture(), b.window()) << "the press keeps the mouse";

    // Out with the button held (the move still comes to the control): the
    // next tick ends the hover, and a mouse press whose cursor left shows
    // the normal look.
    MessageSpy spy(b.window(), {WM_TIMER, WM_MOUSEMOVE});
    ASSERT_TRUE(input::moveOutside(*b.site.Get()));
    EXPECT_GE(spy.count(WM_MOUSEMOVE), 1u) << "the press keeps the moves";
    ASSERT_TRUE(pumpUntil([&] { return TicksSinceLastMove(spy) > 0; }));
    EXPECT_EQ(frame(b), 0);
    ASSERT_TRUE(input::release());
    EXPECT_EQ(presses(b), (Names{L"MouseDown", L"MouseUp"}));
    EXPECT_EQ(getNumber(b, L"Value"), 0);
    EXPECT_EQ(::GetCapture(), nullptr);
}

TEST_F(CheckBoxInputTest, ButtonsWithoutAHoverOrWithoutAPressDoNotClick) {
    auto b = placeBox();
    ASSERT_TRUE(b);
    const HWND w = b.window();
    const LPARAM at = MAKELPARAM(kInside.x, kInside.y);
    // The cursor is parked away from the form: no move has reached the
    // control, so it is not hovered.
    ::SendMessageW(w, WM_LBUTTONDOWN, MK_LBUTTON, at);
    ::SendMessageW(w, WM_LBUTTONUP, 0, at);
    EXPECT_EQ(presses(b), (Names{L"MouseDown", L"MouseUp"}));
    EXPECT_EQ(getNumber(b, L"Value"), 0);

    // A release with no press before it is nobody's.
    b.site->events().clear();
    ASSERT_TRUE(input::moveTo(*b.site.Get(), kInside));
    ::SendMessageW(w, WM_RBUTTONUP, 0, at);
    EXPECT_EQ(presses(b), Names{});
    EXPECT_EQ(getNumber(b, L"Value"), 0);
}

TEST_F(CheckBoxInputTest, ADoubleClickTogglesOnceAndThenReportsTheDoubleClick) {
    auto b = placeBox();
    ASSERT_TRUE(b);
    ASSERT_TRUE(input::doubleClick(*b.site.Get(), kInside));
    EXPECT_EQ(presses(b), (Names{L"MouseDown", L"Click", L"MouseUp", L"DblClick"}));
    EXPECT_EQ(getNumber(b, L"Value"), 1);
}

TEST_F(CheckBoxInputTest, HoveringRunsTheTimerOnlyUntilTheFirstTickOutside) {
    auto b = placeBox();
    ASSERT_TRUE(b);
    put(b, L"TipPreTimer", R4(1.0f));
    MessageSpy spy(b.window(), {WM_TIMER, WM_MOUSEMOVE});
    pumpTicks(5);
    EXPECT_EQ(spy.count(WM_TIMER), 0u) << "a timer runs for an idle control";

    ASSERT_TRUE(input::moveTo(*b.site.Get(), kInside));
    ASSERT_TRUE(pumpUntil([&] { return TicksSinceLastMove(spy) >= 3; }));
    EXPECT_EQ(frame(b), 1);

    // Elsewhere (the move goes to the form): the first tick after it ends
    // the hover and redraws.
    spy.clear();
    ASSERT_TRUE(input::moveOutside(*b.site.Get()));
    ASSERT_TRUE(pumpUntil([&] { return spy.count(WM_TIMER) > 0; }));
    EXPECT_EQ(frame(b), 0);
    pumpTicks(5);
    EXPECT_EQ(spy.count(WM_TIMER), 1u) << "the hover timer kept running";
    EXPECT_EQ(getNumber(b, L"Value"), 0);
}

TEST_F(CheckBoxInputTest, TheSpaceBarPressesAndReleasingItToggles) {
    struct Case {
        const char* what;
        bool userMode;
        bool enabled;
        LONG before;
        bool down; // space goes down before it comes up
        Names events;
        LONG after;
    };
    const Case cases[] = {
        {"down and up", true, true, 0, true, {L"KeyDown", L"Click", L"KeyUp"}, 1},
        {"grayed", true, true, 2, true, {L"KeyDown", L"Click", L"KeyUp"}, 2},
        {"up alone", true, true, 1, false, {L"KeyUp"}, 0},
        {"disabled", true, false, 0, true, {L"KeyDown"}, 0},
        {"design time", false, true, 0, true, {L"KeyDown", L"KeyUp"}, 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        form().setUserMode(c.userMode);
        auto b = placeBox();
        ASSERT_TRUE(b);
        put(b, L"Value", I4(c.before));
        put(b, L"Enabled", Bool(c.enabled));
        b.site->events().clear();
        const HWND w = b.window();
        if (c.down) {
            ::SendMessageW(w, WM_KEYDOWN, VK_SPACE, 0x00390001);
            const bool pressedLook = c.enabled && c.userMode;
            EXPECT_EQ(frame(b), pressedLook ? int(c.before) * 4 + 2
                                            : int(c.before) * 4 + (c.enabled ? 0 : 3));
        }
        ::SendMessageW(w, WM_KEYUP, VK_SPACE, 0xC0390001);
        EXPECT_EQ(b.site->events().names(), c.events);
        EXPECT_EQ(getNumber(b, L"Value"), c.after);
        form().remove(*b.site.Get());
    }
}

TEST_F(CheckBoxInputTest, KeysReachTheFocusedControlThroughTheContainer) {
    auto b = placeBox();
    ASSERT_TRUE(b);
    ASSERT_HRESULT_SUCCEEDED(form().focus(*b.site.Get()));
    b.site->events().clear();
    ASSERT_TRUE(input::keyDown('A'));
    ASSERT_TRUE(input::keyUp('A'));
    ASSERT_TRUE(input::pressKey(VK_SPACE));
    EXPECT_EQ(b.site->events().names(), (Names{L"KeyDown", L"KeyPress", L"KeyUp", L"KeyDown",
                                               L"KeyPress", L"Click", L"KeyUp"}));
    const RecordedEvent* press = b.site->events().last(L"KeyPress");
    ASSERT_TRUE(press);
    EXPECT_EQ(NumberOf(press->arg(L"KeyAscii")->value), ' ');
    EXPECT_EQ(getNumber(b, L"Value"), 1);
}

TEST_F(CheckBoxInputTest, AHeldAccessKeyClicksOnceUntilAKeyComesUp) {
    struct Case {
        LONG before;
        LONG afterFirst;
        LONG afterSecond;
    };
    // The access key swaps unchecked and checked only.
    const Case cases[] = {{0, 1, 0}, {2, 2, 2}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.before);
        auto b = placeBox(L"&Check");
        ASSERT_TRUE(b);
        put(b, L"Value", I4(c.before));
        ASSERT_HRESULT_SUCCEEDED(form().focus(*b.site.Get()));
        b.site->events().clear();
        // The key held down: the container routes each repeat.
        for (int repeat = 0; repeat < 3; ++repeat)
            EXPECT_EQ(form().mnemonic(L'c'), b.site.Get());
        EXPECT_EQ(b.site->events().count(L"Click"), 1u);
        EXPECT_EQ(getNumber(b, L"Value"), c.afterFirst);
        // A key comes up on the control; then Alt+C is typed again.
        ASSERT_TRUE(input::keyUp('C'));
        ASSERT_TRUE(input::altKey(form(), L'c'));
        EXPECT_EQ(b.site->events().count(L"Click"), 2u);
        EXPECT_EQ(getNumber(b, L"Value"), c.afterSecond);
        form().remove(*b.site.Get());
    }
}

TEST_F(CheckBoxInputTest, AHandlerThatRemovesTheControlEndsTheClickQuietly) {
    auto b = placeBox();
    ASSERT_TRUE(b);
    Site* site = b.site.Get();
    b.site->events().on(L"Click", [&](EventCall&) { form().remove(*site); });
    b.box.Reset();
    ASSERT_TRUE(input::click(*b.site.Get(), kInside));
    EXPECT_EQ(b.site->form(), nullptr);
    EXPECT_EQ(b.site->events().count(L"Click"), 1u);
    // The form goes on working.
    auto next = placeBox(L"Check2");
    ASSERT_TRUE(next);
    ASSERT_TRUE(input::click(*next.site.Get(), kInside));
    EXPECT_EQ(getNumber(next, L"Value"), 1);
}

} // namespace
} // namespace pkw::test
