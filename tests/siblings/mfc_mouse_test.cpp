#include "siblings/api/plain.h"

#include <gtest/gtest.h>

namespace {

using pkw::sib::Mfc;

struct Case {
    UINT message;
    WPARAM keys;
    int x, y;
    SHORT button, shift;
};

// Button: 1 left, 2 right, 4 middle; Shift: 1 Shift, 2 Ctrl, 4 Alt.
constexpr Case kCases[] = {
    {WM_MOUSEMOVE, MK_LBUTTON | MK_RBUTTON, 10, 20, 3, 0},
    {WM_MOUSEMOVE, MK_MBUTTON | MK_SHIFT | MK_CONTROL, 0, 0, 4, 3},
    {WM_LBUTTONDOWN, MK_LBUTTON | MK_SHIFT, 5, 6, 1, 1},
    {WM_RBUTTONDOWN, MK_LBUTTON | MK_RBUTTON, 5, 6, 2, 0}, // the button pressed, not all held
    {WM_RBUTTONUP, MK_LBUTTON, 7, 8, 2, 0},                // the button released
    {WM_MOUSEMOVE, MK_LBUTTON, -5, -7, 1, 0},              // left of and above the window
};

TEST(GetMouseParameters, DecodesButtonsShiftAndPosition) {
    for (const Case& c : kCases) {
        SHORT button = -99, shift = -99;
        float x = -99, y = -99;
        EXPECT_EQ(Mfc().GetMouseParameters(c.message, c.keys, MAKELPARAM(c.x, c.y), &button, &shift,
                                           &x, &y),
                  1);
        EXPECT_EQ(button, c.button) << "message " << c.message << " keys " << c.keys;
        EXPECT_EQ(shift, c.shift) << "message " << c.message << " keys " << c.keys;
        EXPECT_EQ(x, float(c.x));
        EXPECT_EQ(y, float(c.y));
    }
}

// Alt is not in wParam: it is the keyboard state of the thread.
TEST(GetMouseParameters, AltComesFromTheKeyboardState) {
    BYTE saved[256] = {};
    ASSERT_TRUE(::GetKeyboardState(saved));
    BYTE state[256];
    std::copy(std::begin(saved), std::end(saved), state);
    state[VK_MENU] = 0x80;
    ASSERT_TRUE(::SetKeyboardState(state));
    SHORT button = 0, shift = 0;
    Mfc().GetMouseParameters(WM_LBUTTONDOWN, MK_LBUTTON | MK_SHIFT, 0, &button, &shift, nullptr,
                             nullptr);
    ::SetKeyboardState(saved);
    EXPECT_EQ(shift, 1 | 4);
}

} // namespace
