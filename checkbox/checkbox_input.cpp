// Input: the mouse messages the control attached, and the container's
// keyboard, access-key and focus notifications. They drive two cycles:
// the press (armed from a button or the space bar going down until it
// comes up) and the hover (from the first move over the window until a
// timer tick finds the cursor elsewhere). Every change of state redraws.
#include "checkbox/nu_checkbox40.h"

#include "activex/hover.h"
#include "checkbox/checkbox_events.h"
#include "siblings/api/plain.h"

#include <array>
#include <cmath>

namespace pkw::checkbox {
namespace {

constexpr short kSpaceBar = VK_SPACE;

// A click or the space bar: unchecked and checked swap, grayed stays, and
// anything else becomes checked.
SHORT ToggledValue(SHORT value) {
    switch (value) {
    case 0:
        return 1;
    case 1:
        return 0;
    case 2:
        return 2;
    default:
        return 1;
    }
}

// The access key swaps only unchecked and checked.
SHORT AccessKeyValue(SHORT value) {
    return value == 0 ? 1 : value == 1 ? 0 : value;
}

bool IsButtonDown(UINT message) {
    return message == WM_LBUTTONDOWN || message == WM_RBUTTONDOWN || message == WM_MBUTTONDOWN;
}

bool IsButtonUp(UINT message) {
    return message == WM_LBUTTONUP || message == WM_RBUTTONUP || message == WM_MBUTTONUP;
}

} // namespace

// --- Mouse ------------------------------------------------------------------

void NuCheckBox40::MouseMessage(UINT iMsg, WPARAM wParam, LPARAM lParam) {
    MouseArgs args;
    sib::Mfc().GetMouseParameters(iMsg, wParam, lParam, &args.button, &args.shift, &args.x,
                                  &args.y);
    if (iMsg == WM_MOUSEMOVE) {
        MouseMoved(args);
    } else if (IsButtonDown(iMsg)) {
        state_.m_bArmed = true;
        if (state_.m_bHasFocus) DrawControl();
        ignore(RaiseMouseEvent(event::kMouseDown, args));
    } else if (IsButtonUp(iMsg)) {
        if (!state_.m_bArmed) return; // a press that did not start here
        state_.m_bArmed = false;
        if (state_.m_bHover) {
            Toggle();
            DrawControl();
            ignore(RaiseClick());
        } else {
            DrawControl();
        }
        ignore(RaiseMouseEvent(event::kMouseUp, args));
    }
}

void NuCheckBox40::MouseMoved(const MouseArgs& args) {
    if (!state_.m_bEnabled) return;
    RECT window{};
    ::GetWindowRect(state_.m_hWnd, &window);
    state_.m_lTipX = window.left + std::lround(args.x);
    state_.m_lTipY = window.top + std::lround(args.y);
    if (IsMouseOverWindow() && !state_.m_bHover) {
        state_.m_bHover = true;
        ArmToolTip();
        ax::hover::Start(state_.m_hWnd);
        DrawControl();
    }
    ignore(RaiseMouseEvent(event::kMouseMove, args));
}

bool NuCheckBox40::IsMouseOverWindow() const {
    try {
        return sib::Mfc().IsMouseOver(state_.m_hWnd) != 0;
    } catch (...) {
        return false;
    }
}

void NuCheckBox40::HoverTick() {
    TrackMouseLeave();
    if (state_.m_bHover) {
        TipTimingStep();
        return;
    }
    TipLeaveStep();
    DrawControl();
}

void NuCheckBox40::TrackMouseLeave() {
    if (ax::hover::CursorOutside(state_.m_hWnd)) StopHover();
}

void NuCheckBox40::StopHover() {
    ax::hover::Stop(state_.m_hWnd);
    state_.m_bHover = false;
}

HRESULT NuCheckBox40::RaiseMouseEvent(DISPID id, MouseArgs args) {
    std::array<VARIANTARG, 4> v{};
    v[0].vt = VT_I2 | VT_BYREF, v[0].piVal = &args.button;
    v[1].vt = VT_I2 | VT_BYREF, v[1].piVal = &args.shift;
    v[2].vt = VT_R4 | VT_BYREF, v[2].pfltVal = &args.x;
    v[3].vt = VT_R4 | VT_BYREF, v[3].pfltVal = &args.y;
    return fireEvent(id, v);
}

void NuCheckBox40::Toggle() {
    // A user's toggle is not a property change: the container hears of it
    // through Click alone.
    state_.m_iValue = ToggledValue(state_.m_iValue);
}

// --- Keyboard and focus -----------------------------------------------------

HRESULT NuCheckBox40::RaiseKeyEvent(DISPID id, short keyCode, short shift) {
    std::array<VARIANTARG, 2> v{};
    v[0].vt = VT_I2 | VT_BYREF, v[0].piVal = &keyCode;
    v[1].vt = VT_I2 | VT_BYREF, v[1].piVal = &shift;
    return fireEvent(id, v);
}

void NuCheckBox40::onKeyDown(short keyCode, short shift) {
    if (keyCode == kSpaceBar && state_.m_bEnabled && ambientUserMode()) {
        try {
            state_.m_bArmed = true;
            state_.m_bKeyPressed = true;
            DrawControl();
        } catch (...) {
        }
    }
    ignore(RaiseKeyEvent(event::kKeyDown, keyCode, shift));
}

void NuCheckBox40::onKeyPress(short keyAscii) {
    VARIANTARG v{};
    v.vt = VT_I2 | VT_BYREF, v.piVal = &keyAscii;
    ignore(fireEvent(event::kKeyPress, {&v, 1}));
}

void NuCheckBox40::onKeyUp(short keyCode, short shift) {
    state_.m_bAccessKeyDown = false;
    state_.m_bKeyPressed = false;
    if (!state_.m_bEnabled) return;
    try {
        if (keyCode == kSpaceBar) {
            const bool wasArmed = state_.m_bArmed;
            state_.m_bArmed = false;
            Toggle();
            DrawControl();
            if (wasArmed) ignore(RaiseClick());
        }
    } catch (...) {
    }
    ignore(RaiseKeyEvent(event::kKeyUp, keyCode, shift));
}

void NuCheckBox40::onAccessKeyPress(short) {
    // Holding the key repeats the notification: only the first counts until
    // a key comes up on the control.
    if (state_.m_bAccessKeyDown) return;
    state_.m_bAccessKeyDown = true;
    state_.m_iValue = AccessKeyValue(state_.m_iValue);
    DrawControl();
    ignore(RaiseClick());
}

void NuCheckBox40::onDblClick() {
    ignore(fireEvent(event::kDblClick));
}

void NuCheckBox40::onGotFocus() {
    state_.m_bHasFocus = true;
    DrawControl();
}

void NuCheckBox40::onLostFocus() {
    state_.m_bHasFocus = false;
    DrawControl();
}

} // namespace pkw::checkbox
