// Mouse messages decoded into the arguments of the controls' mouse events.
#include "siblings/mfc/mfc_exports.h"

#include <windowsx.h>

namespace {

// Button values of the mouse events.
constexpr SHORT kLeft = 1, kRight = 2, kMiddle = 4;
// Shift values.
constexpr SHORT kShift = 1, kCtrl = 2, kAlt = 4;

// A button message names its own button (a press of the right button while
// the left is held reports 2, as does its release).
SHORT ButtonOfMessage(UINT message) {
    switch (message) {
    case WM_LBUTTONDOWN:
    case WM_LBUTTONUP:
    case WM_LBUTTONDBLCLK:
        return kLeft;
    case WM_RBUTTONDOWN:
    case WM_RBUTTONUP:
    case WM_RBUTTONDBLCLK:
        return kRight;
    case WM_MBUTTONDOWN:
    case WM_MBUTTONUP:
    case WM_MBUTTONDBLCLK:
        return kMiddle;
    default:
        return 0;
    }
}

// Any other message (a move) reports every button held.
SHORT ButtonsHeld(WPARAM keys) {
    return SHORT((keys & MK_LBUTTON ? kLeft : 0) | (keys & MK_RBUTTON ? kRight : 0) |
                 (keys & MK_MBUTTON ? kMiddle : 0));
}

SHORT ShiftState(WPARAM keys) {
    return SHORT((keys & MK_SHIFT ? kShift : 0) | (keys & MK_CONTROL ? kCtrl : 0) |
                 (::GetKeyState(VK_MENU) < 0 ? kAlt : 0));
}

} // namespace

extern "C" LONG WINAPI GetMouseParameters(UINT message, WPARAM wParam, LPARAM lParam,
                                          SHORT* pButton, SHORT* pShift, float* pX, float* pY) {
    if (pButton) {
        const SHORT own = ButtonOfMessage(message);
        *pButton = own ? own : ButtonsHeld(wParam);
    }
    if (pShift) *pShift = ShiftState(wParam);
    if (pX) *pX = float(GET_X_LPARAM(lParam));
    if (pY) *pY = float(GET_Y_LPARAM(lParam));
    return 1;
}
