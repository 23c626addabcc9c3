// Input: the mouse buttons (from the attached messages), and the
// container's keyboard, access-key and focus notifications. A press shows
// as long as the button is held over the button, or Space is held.
#include "button/btn.h"

#include "button/button_events.h"
#include "common/com/hresult.h"
#include "siblings/api/plain.h"

#include <array>

namespace pkw::button {
namespace {

constexpr short kSpaceBar = VK_SPACE;
constexpr SHORT kLeftButton = 1;

} // namespace

void BTN::MouseDown(const MouseArgs& args) {
    state_.m_bMousePressed = true;
    state_.m_iMouseButton = args.button;
    state_.m_iMouseShift = args.shift;
    state_.m_sngMouseX = args.x;
    state_.m_sngMouseY = args.y;
    if (state_.m_lBackStyle == 0) CallUpdateParent();
    DrawControl();
    ignore(fireMouseEvent(event::kMouseDown, args));
}

void BTN::MouseUp(const MouseArgs& args) {
    if (!state_.m_bMousePressed) return; // a press that did not start here
    state_.m_bMousePressed = false;
    const bool over = sib::Mfc().IsMouseOver(state_.m_hWnd) != 0;
    if (over) ignore(fireMouseEvent(event::kMouseUp, args));
    if (state_.m_bTerminating) return; // a handler let the button go
    if (state_.m_lBackStyle == 0) CallUpdateParent();
    DrawControl();
    // A click is a left press released over the button.
    if (over && args.button == kLeftButton) ignore(fireEvent(event::kClick));
}

void BTN::onKeyDown(short keyCode, short shift) {
    if (keyCode == kSpaceBar) {
        state_.m_bKeyPressed = true;
        DrawControl();
    }
    ignore(fireKeyEvent(event::kKeyDown, keyCode, shift));
}

void BTN::onKeyPress(short keyAscii) {
    VARIANTARG v{};
    v.vt = VT_I2 | VT_BYREF, v.piVal = &keyAscii;
    ignore(fireEvent(event::kKeyPress, {&v, 1}));
}

void BTN::onKeyUp(short keyCode, short shift) {
    state_.m_bKeyPressed = false;
    if (keyCode == kSpaceBar) {
        DrawControl();
        ignore(fireEvent(event::kClick));
    }
    ignore(fireKeyEvent(event::kKeyUp, keyCode, shift));
}

void BTN::onAccessKeyPress(short) {
    DrawControl();
    ignore(fireEvent(event::kClick));
}

void BTN::onGotFocus() {
    state_.m_bFocused = true;
    // The focus frame shows at once (UpdateParent leaves the button alone).
    DrawControl();
    CallUpdateParent();
}

void BTN::onLostFocus() {
    state_.m_bFocused = false;
    DrawControl();
    CallUpdateParent();
}

} // namespace pkw::button
