// Input: the mouse messages the control attached, and the container's
// keyboard, access-key and focus notifications. They drive two cycles:
// the press (armed from a button or the space bar going down until it
// comes up) and the hover (from the first move over the window until a
// timer tick finds the cursor elsewhere). Every change of state redraws.
// What a release or the access key does to the value is the control's own
// (UserAction).
#include "selection/selection_control.h"

#include "siblings/api/plain.h"

#include <array>
#include <cmath>

namespace pkw::selection {
namespace {

constexpr short kSpaceBar = VK_SPACE;
constexpr UINT_PTR kHoverTimer = 1;
constexpr UINT kHoverPeriodMs = 10;

bool IsButtonDown(UINT message) {
    return message == WM_LBUTTONDOWN || message == WM_RBUTTONDOWN || message == WM_MBUTTONDOWN;
}

bool IsButtonUp(UINT message) {
    return message == WM_LBUTTONUP || message == WM_RBUTTONUP || message == WM_MBUTTONUP;
}

} // namespace

// --- Mouse ------------------------------------------------------------------

void SelectionControl::MouseMessage(UINT iMsg, WPARAM wParam, LPARAM lParam) {
    MouseArgs args;
    sib::Mfc().GetMouseParameters(iMsg, wParam, lParam, &args.button, &args.shift, &args.x,
                                  &args.y);
    if (iMsg == WM_MOUSEMOVE) {
        MouseMoved(args);
    } else if (IsButtonDown(iMsg)) {
        state_.m_bArmed = true;
        if (state_.m_bHasFocus) DrawControl();
        ignore(fireMouseEvent(traits_.events.mouseDown, args));
    } else if (IsButtonUp(iMsg)) {
        if (!state_.m_bArmed) return; // a press that did not start here
        state_.m_bArmed = false;
        if (state_.m_bHover) {
            UserAction(iMsg == WM_LBUTTONUP ? UserInput::LeftButton : UserInput::OtherButton, true);
        } else {
            DrawControl();
        }
        ignore(fireMouseEvent(traits_.events.mouseUp, args));
    }
}

void SelectionControl::MouseMoved(const MouseArgs& args) {
    if (!state_.m_bEnabled) return;
    RECT window{};
    ::GetWindowRect(state_.m_hWnd, &window);
    state_.m_lTipX = window.left + std::lround(args.x);
    state_.m_lTipY = window.top + std::lround(args.y);
    if (IsMouseOverWindow() && !state_.m_bHover) {
        state_.m_bHover = true;
        ArmToolTip();
        ::SetTimer(state_.m_hWnd, kHoverTimer, kHoverPeriodMs, nullptr);
        DrawControl();
    }
    ignore(fireMouseEvent(traits_.events.mouseMove, args));
}

bool SelectionControl::IsMouseOverWindow() const {
    try {
        return sib::Mfc().IsMouseOver(state_.m_hWnd) != 0;
    } catch (...) {
        return false;
    }
}

void SelectionControl::HoverTick() {
    TrackMouseLeave();
    if (state_.m_bHover) {
        TipTimingStep();
        return;
    }
    TipLeaveStep();
    DrawControl();
}

void SelectionControl::TrackMouseLeave() {
    try {
        POINT cursor{};
        RECT window{};
        if (!::GetCursorPos(&cursor) || !::GetWindowRect(state_.m_hWnd, &window)) return;
        if (!::PtInRect(&window, cursor)) StopHover();
    } catch (...) {
    }
}

void SelectionControl::StopHover() {
    ::KillTimer(state_.m_hWnd, kHoverTimer);
    state_.m_bHover = false;
}

// --- Keyboard and focus -----------------------------------------------------

void SelectionControl::onKeyDown(short keyCode, short shift) {
    if (keyCode == kSpaceBar && state_.m_bEnabled && ambientUserMode()) {
        try {
            state_.m_bArmed = true;
            state_.m_bKeyPressed = true;
            DrawControl();
        } catch (...) {
        }
    }
    ignore(fireKeyEvent(traits_.events.keyDown, keyCode, shift));
}

void SelectionControl::onKeyPress(short keyAscii) {
    VARIANTARG v{};
    v.vt = VT_I2 | VT_BYREF, v.piVal = &keyAscii;
    ignore(fireEvent(traits_.events.keyPress, {&v, 1}));
}

void SelectionControl::onKeyUp(short keyCode, short shift) {
    state_.m_bAccessKeyDown = false;
    state_.m_bKeyPressed = false;
    if (!state_.m_bEnabled) return;
    try {
        if (keyCode == kSpaceBar) {
            const bool wasArmed = state_.m_bArmed;
            state_.m_bArmed = false;
            UserAction(UserInput::Space, wasArmed);
        }
    } catch (...) {
    }
    ignore(fireKeyEvent(traits_.events.keyUp, keyCode, shift));
}

void SelectionControl::onAccessKeyPress(short) {
    // Holding the key repeats the notification: only the first counts until
    // a key comes up on the control.
    if (state_.m_bAccessKeyDown) return;
    state_.m_bAccessKeyDown = true;
    UserAction(UserInput::AccessKey, false);
}

void SelectionControl::onDblClick() {
    ignore(fireEvent(traits_.events.dblClick));
}

void SelectionControl::onGotFocus() {
    state_.m_bHasFocus = true;
    DrawControl();
}

void SelectionControl::onLostFocus() {
    state_.m_bHasFocus = false;
    DrawControl();
}

} // namespace pkw::selection
