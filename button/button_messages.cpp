// The window messages the button attaches through the subclassing library
// at run time, and its answers to them: painting, hover tracking, and the
// mouse buttons (the container's window reports no mouse events).
#include "button/btn.h"

#include "activex/hover.h"
#include "common/com/hresult.h"
#include "common/win/unique_handle.h"
#include "siblings/api/plain.h"
#include "siblings/api/scls.h"

namespace pkw::button {
namespace {

// In attach order. Painting is the button's alone; the window's own
// procedure also sees the rest (it captures the mouse and takes the focus).
constexpr UINT kMessages[] = {
    WM_MOUSEMOVE, WM_TIMER,       WM_PAINT,     WM_PARENTNOTIFY, WM_LBUTTONDOWN,
    WM_LBUTTONUP, WM_RBUTTONDOWN, WM_RBUTTONUP, WM_MBUTTONDOWN,  WM_MBUTTONUP,
};

} // namespace

void BTN::AttachMessages() {
    try {
        if (state_.m_bSubclassed) DetachMessages();
        for (const UINT message : kMessages)
            AttachMessage(state_.m_hWnd, message);
        state_.m_bSubclassed = Subclassing();
    } catch (...) {
        // Without its messages the button still draws through Paint.
    }
}

void BTN::DetachMessages() {
    if (!state_.m_bSubclassed) return;
    ReleaseMessages();
    // Without its messages the hover timer would tick for nobody.
    ax::hover::Stop(state_.m_hWnd);
    state_.m_bHot = false;
    state_.m_bSubclassed = false;
}

bool BTN::ConsumesMessage(UINT message) const noexcept {
    return message == WM_PAINT || message == WM_PARENTNOTIFY;
}

LRESULT BTN::HandleMessage(HWND, UINT iMsg, WPARAM wParam, LPARAM lParam) {
    switch (iMsg) {
    case WM_PAINT: {
        PaintDc paint(state_.m_hWnd);
        DrawControl();
        return 0;
    }
    case WM_MOUSEMOVE:
        HoverMove();
        return 0;
    case WM_TIMER:
        if (wParam == ax::hover::kTimerId) HoverTick();
        return 0;
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
    case WM_LBUTTONUP:
    case WM_RBUTTONUP:
    case WM_MBUTTONUP: {
        MouseArgs args;
        // Decoded as a move: the buttons held, whatever message brought them.
        sib::Mfc().GetMouseParameters(WM_MOUSEMOVE, wParam, lParam, &args.button, &args.shift,
                                      &args.x, &args.y);
        if (iMsg == WM_LBUTTONDOWN || iMsg == WM_RBUTTONDOWN || iMsg == WM_MBUTTONDOWN) {
            MouseDown(args);
        } else {
            args.button = iMsg == WM_LBUTTONUP ? 1 : iMsg == WM_RBUTTONUP ? 2 : 4;
            MouseUp(args);
        }
        return 0;
    }
    default:
        return 0;
    }
}

void BTN::HoverMove() {
    const bool wasHot = state_.m_bHot;
    if (!state_.m_bHot && sib::Mfc().IsMouseOver(state_.m_hWnd)) {
        state_.m_bHot = true;
        ax::hover::Start(state_.m_hWnd);
    }
    if (state_.m_bHot != wasHot) DrawControl();
}

void BTN::HoverTick() {
    if (ax::hover::CursorOutside(state_.m_hWnd)) {
        ax::hover::Stop(state_.m_hWnd);
        state_.m_bHot = false;
    }
    if (state_.m_bHot) return;
    if (state_.m_lBackStyle == 0) CallUpdateParent();
    DrawControl();
}

} // namespace pkw::button
