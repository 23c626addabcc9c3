// Real input through the container: the cursor, mouse buttons and keys as
// posted messages, sent messages and hardware input (SendInput), checked
// by what reached the control's window and what the control made of it.
#include "probe_test.h"

#include "host/message_spy.h"

#include <gtest/gtest.h>

namespace pkw::test {
namespace {

using input::Button;
using input::Delivery;

const char* deliveryName(Delivery d) {
    switch (d) {
    case Delivery::Post:
        return "posted";
    case Delivery::Send:
        return "sent";
    case Delivery::Hardware:
        return "hardware";
    }
    return "?";
}

class InputTest : public ProbeTest {
protected:
    void SetUp() override {
        ProbeTest::SetUp();
        site = addProbe(L"Probe1", {30, 40, 150, 70}, &probe);
        ASSERT_TRUE(site);
        ASSERT_TRUE(site->window());
    }

    static std::vector<UINT> mouseOnly(const MessageSpy& spy) {
        std::vector<UINT> out;
        for (UINT m : spy.messages())
            if (m >= WM_MOUSEFIRST && m <= WM_MOUSELAST) out.push_back(m);
        return out;
    }

    ComPtr<Site> site;
    Probe* probe = nullptr;
};

TEST_F(InputTest, AClickReachesTheControlAtThePoint) {
    struct Case {
        Button button;
        UINT down, up;
    };
    const Case buttons[] = {{Button::Left, WM_LBUTTONDOWN, WM_LBUTTONUP},
                            {Button::Right, WM_RBUTTONDOWN, WM_RBUTTONUP},
                            {Button::Middle, WM_MBUTTONDOWN, WM_MBUTTONUP}};
    LONG x = 5;
    for (const Delivery delivery : {Delivery::Post, Delivery::Hardware}) {
        for (const Case& c : buttons) {
            SCOPED_TRACE(::testing::Message()
                         << deliveryName(delivery) << " button " << int(c.button));
            MessageSpy spy(site->window());
            const POINT local{x, 12};
            x += 9; // a new point each time, so the cursor really moves
            ASSERT_TRUE(input::click(*site.Get(), local, c.button, delivery));
            // One move, then the press and the release at the point. Further
            // moves to where the cursor already is say nothing new and are let
            // through: Wine follows each hardware button with one, and reports
            // the cursor's warp as a motion of its own whenever the X server
            // gets round to it, which under load can be after a posted button.
            const std::vector<UINT> mouse = mouseOnly(spy);
            ASSERT_FALSE(mouse.empty());
            EXPECT_EQ(mouse.front(), UINT(WM_MOUSEMOVE));
            std::vector<UINT> buttons;
            for (const auto& e : spy.entries()) {
                if (e.message < WM_MOUSEFIRST || e.message > WM_MOUSELAST) continue;
                EXPECT_EQ(static_cast<short>(LOWORD(e.lParam)), local.x) << e.message;
                EXPECT_EQ(static_cast<short>(HIWORD(e.lParam)), local.y) << e.message;
                if (e.message != WM_MOUSEMOVE) buttons.push_back(e.message);
            }
            EXPECT_EQ(buttons, (std::vector<UINT>{c.down, c.up}));
            POINT cursor{};
            ::GetCursorPos(&cursor);
            const POINT expected = input::screenPoint(*site.Get(), local);
            EXPECT_EQ(cursor.x, expected.x);
            EXPECT_EQ(cursor.y, expected.y);
        }
    }
}

// After a press the control holds the mouse: the release arrives even when
// the cursor has left it.
TEST_F(InputTest, AReleaseOutsideStillReachesThePressedControl) {
    for (const Delivery delivery : {Delivery::Post, Delivery::Hardware}) {
        SCOPED_TRACE(deliveryName(delivery));
        MessageSpy spy(site->window(), {WM_LBUTTONDOWN, WM_LBUTTONUP});
        ASSERT_TRUE(input::press(*site.Get(), {10, 10}, Button::Left, delivery));
        EXPECT_EQ(::GetCapture(), site->window());
        ASSERT_TRUE(input::moveOutside(*site.Get(), delivery));
        POINT cursor{};
        ::GetCursorPos(&cursor);
        EXPECT_NE(::WindowFromPoint(cursor), site->window());
        ASSERT_TRUE(input::release(Button::Left, delivery));
        EXPECT_EQ(spy.messages(), (std::vector<UINT>{WM_LBUTTONDOWN, WM_LBUTTONUP}));
        EXPECT_EQ(::GetCapture(), nullptr);
    }
}

TEST_F(InputTest, MovingToTheSamePointStillDeliversOneMove) {
    MessageSpy spy(site->window(), {WM_MOUSEMOVE});
    ASSERT_TRUE(input::moveTo(*site.Get(), {20, 10}));
    ASSERT_TRUE(input::moveTo(*site.Get(), {20, 10}));
    ASSERT_TRUE(input::moveTo(*site.Get(), {21, 10}, Delivery::Hardware));
    EXPECT_EQ(spy.count(WM_MOUSEMOVE), 3u);
    EXPECT_EQ(input::centre(*site.Get()).x, 60);
}

TEST_F(InputTest, ADoubleClickArrivesAsTheSystemSendsIt) {
    for (const Delivery delivery : {Delivery::Post, Delivery::Hardware}) {
        SCOPED_TRACE(deliveryName(delivery));
        probeLog().clear();
        MessageSpy spy(site->window());
        ASSERT_TRUE(input::doubleClick(*site.Get(), {delivery == Delivery::Post ? 12 : 14, 9},
                                       Button::Left, delivery));
        EXPECT_EQ(mouseOnly(spy), (std::vector<UINT>{WM_MOUSEMOVE, WM_LBUTTONDOWN, WM_LBUTTONUP,
                                                     WM_LBUTTONDBLCLK, WM_LBUTTONUP}));
        EXPECT_EQ(logOf({L"DblClick"}), std::vector<std::wstring>{L"DblClick"});
        EXPECT_EQ(::GetCapture(), nullptr);
    }
}

TEST_F(InputTest, KeysReachTheFocusedControl) {
    ASSERT_EQ(form().focus(*site.Get()), S_OK);
    struct Case {
        Delivery delivery;
        std::vector<std::wstring> expected;
    };
    const Case cases[] = {
        {Delivery::Post, {L"KeyDown 32 0", L"KeyPress 32", L"KeyUp 32 0"}},
        {Delivery::Hardware, {L"KeyDown 32 0", L"KeyPress 32", L"KeyUp 32 0"}},
        // Sent keys skip the loop, so nothing translates them into characters.
        {Delivery::Send, {L"KeyDown 32 0", L"KeyUp 32 0"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(deliveryName(c.delivery));
        probeLog().clear();
        ASSERT_TRUE(input::pressKey(VK_SPACE, c.delivery));
        EXPECT_EQ(logOf({L"Key"}), c.expected);
    }
    probeLog().clear();
    ASSERT_TRUE(input::typeChar(L'a'));
    EXPECT_EQ(logOf({L"Key"}), std::vector<std::wstring>{L"KeyPress 97"});
}

} // namespace
} // namespace pkw::test
