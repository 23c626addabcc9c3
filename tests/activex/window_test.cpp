// The control's window: keys with their shift mask, focus with the
// container's notices, mouse capture, double clicks, cursor and background.
#include "probe_test.h"

#include <array>

namespace pkw::test {
namespace {

// Sets the thread's view of Shift, Ctrl and Alt for GetKeyState.
class HeldKeys {
public:
    explicit HeldKeys(std::initializer_list<BYTE> keys) {
        ::GetKeyboardState(saved_.data());
        std::array<BYTE, 256> state = saved_;
        for (BYTE vk : {VK_SHIFT, VK_CONTROL, VK_MENU})
            state[vk] = 0;
        for (BYTE vk : keys)
            state[vk] = 0x80;
        ::SetKeyboardState(state.data());
    }
    ~HeldKeys() { ::SetKeyboardState(saved_.data()); }

private:
    std::array<BYTE, 256> saved_{};
};

using WindowTest = PlacedProbeTest;

TEST_F(WindowTest, KeysArriveWithTheShiftMaskOfTheKeyboard) {
    struct Case {
        std::initializer_list<BYTE> held;
        UINT message;
        WPARAM key;
        std::wstring expected;
    };
    const Case cases[] = {
        {{}, WM_KEYDOWN, 'A', L"KeyDown 65 0"},
        {{VK_SHIFT, VK_CONTROL}, WM_KEYUP, VK_SPACE, L"KeyUp 32 3"},
        {{VK_MENU}, WM_SYSKEYDOWN, 'X', L"KeyDown 88 4"},
        {{VK_MENU, VK_SHIFT}, WM_SYSKEYUP, 'X', L"KeyUp 88 5"},
        {{}, WM_CHAR, 0x416, L"KeyPress 1046"},
    };
    for (const Case& c : cases) {
        probeLog().clear();
        {
            HeldKeys held(c.held);
            ::SendMessageW(hwnd(), c.message, c.key, 1);
        }
        EXPECT_EQ(probeLog(), std::vector<std::wstring>{c.expected}) << c.expected.c_str();
    }
}

TEST_F(WindowTest, FocusUiActivatesAndTellsTheContainer) {
    auto second = addProbe(L"Probe2", {10, 60, 110, 90});
    ASSERT_TRUE(second);
    probeLog().clear();
    ::SetFocus(hwnd());
    EXPECT_EQ(::GetFocus(), hwnd());
    EXPECT_TRUE(site_->uiActive());
    EXPECT_EQ(site_->counters().focusGot, 1);
    EXPECT_EQ(form().uiActiveSite(), site_.Get());
    EXPECT_TRUE(form().activeObject());
    ::SetFocus(second->window());
    EXPECT_EQ(site_->counters().focusLost, 1);
    EXPECT_FALSE(site_->uiActive());
    EXPECT_EQ(form().uiActiveSite(), second.Get());
    EXPECT_EQ(probeLog(), (std::vector<std::wstring>{L"GotFocus", L"LostFocus", L"GotFocus"}));
}

TEST_F(WindowTest, AnyButtonCapturesTheMouseUntilAllAreUp) {
    ::SetFocus(form().hwnd());
    const HWND w = hwnd();
    ::SendMessageW(w, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(3, 3));
    EXPECT_EQ(::GetCapture(), w);
    EXPECT_EQ(::GetFocus(), w); // run time: a click focuses
    ::SendMessageW(w, WM_RBUTTONDOWN, MK_LBUTTON | MK_RBUTTON, MAKELPARAM(3, 3));
    ::SendMessageW(w, WM_LBUTTONUP, MK_RBUTTON, MAKELPARAM(300, 300));
    EXPECT_EQ(::GetCapture(), w); // the right button is still down
    ::SendMessageW(w, WM_RBUTTONUP, 0, MAKELPARAM(300, 300));
    EXPECT_EQ(::GetCapture(), nullptr);
    ::SendMessageW(w, WM_MBUTTONDOWN, MK_MBUTTON, 0);
    EXPECT_EQ(::GetCapture(), w);
    ::SendMessageW(w, WM_MBUTTONUP, 0, 0);
    EXPECT_EQ(::GetCapture(), nullptr);
}

TEST_F(WindowTest, AtDesignTimeAClickCapturesButLeavesTheFocus) {
    form().setUserMode(false);
    ::SetFocus(form().hwnd());
    ::SendMessageW(hwnd(), WM_LBUTTONDOWN, MK_LBUTTON, 0);
    EXPECT_EQ(::GetCapture(), hwnd());
    EXPECT_EQ(::GetFocus(), form().hwnd());
    ::SendMessageW(hwnd(), WM_LBUTTONUP, 0, 0);
}

TEST_F(WindowTest, TheCursorFollowsMousePointerAndMouseIcon) {
    const HICON icon = ::LoadIconW(nullptr, IDI_QUESTION);
    PICTDESC desc{sizeof(desc), PICTYPE_ICON, {}};
    desc.icon.hicon = icon;
    ComPtr<IPictureDisp> picture;
    ASSERT_EQ(::OleCreatePictureIndirect(&desc, IID_IPictureDisp, FALSE,
                                         reinterpret_cast<void**>(picture.GetAddressOf())),
              S_OK);
    raw().setMouseIcon(picture.Get());
    struct Case {
        short pointer;
        HCURSOR expected;
    };
    const Case cases[] = {
        {2, ::LoadCursorW(nullptr, IDC_CROSS)},
        {99, icon},
    };
    for (const Case& c : cases) {
        ::SetCursor(nullptr);
        raw().setMousePointer(c.pointer);
        const LRESULT handled =
            ::SendMessageW(hwnd(), WM_SETCURSOR, reinterpret_cast<WPARAM>(hwnd()),
                           MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
        EXPECT_TRUE(handled) << c.pointer;
        EXPECT_EQ(::GetCursor(), c.expected) << c.pointer;
    }
    // Over the non-client area the control leaves the cursor alone.
    raw().setMousePointer(2);
    ::SetCursor(nullptr);
    ::SendMessageW(hwnd(), WM_SETCURSOR, reinterpret_cast<WPARAM>(hwnd()),
                   MAKELPARAM(HTBORDER, WM_MOUSEMOVE));
    EXPECT_NE(::GetCursor(), ::LoadCursorW(nullptr, IDC_CROSS));
}

} // namespace
} // namespace pkw::test
