// The window messages a selection control attaches through the subclassing
// library, and its answers to them.
#include "selection/selection_control.h"

#include "selection/tip_text_messages.h"
#include "common/win/unique_handle.h"
#include "siblings/api/scls.h"

#include <span>

namespace pkw::selection {
namespace {

struct AttachedMessage {
    UINT message;
    LONG response;   // 0: the control consumes it; 2: the window's procedure runs too
    bool background; // attached only while the control draws over its parent
};

// In attach order.
constexpr AttachedMessage kMessages[] = {
    {WM_PAINT, 0, true},
    {WM_PARENTNOTIFY, 0, true},
    {WM_WINDOWPOSCHANGED, 2, true},
    {WM_TIMER, 2, false},
    {WM_MOUSEMOVE, 2, false},
    {WM_LBUTTONDOWN, 2, false},
    {WM_LBUTTONUP, 2, false},
    {WM_MBUTTONDOWN, 2, false},
    {WM_MBUTTONUP, 2, false},
    {WM_RBUTTONDOWN, 2, false},
    {WM_RBUTTONUP, 2, false},
    {kMsgSendTipText, 2, false},
    {kMsgSendTipTextSize, 2, false},
};

} // namespace

void SelectionControl::AttachMessages() {
    try {
        if (state_.m_bSubclassed) DetachMessages();
        const bool background = NeedsParentBackground();
        for (const AttachedMessage& m : kMessages)
            if (!m.background || background) AttachMessage(state_.m_hWnd, m.message);
        state_.m_bSubclassed = Subclassing();
    } catch (...) {
        // Without its messages the control still draws through Paint.
    }
}

void SelectionControl::DetachMessages() {
    try {
        if (state_.m_bSubclassed) {
            // Exactly what was attached goes: BackStyle may have changed since.
            ReleaseMessages();
            // Without its messages the hover timer would tick for nobody.
            StopHover();
            state_.m_bSubclassed = false;
        }
    } catch (...) {
    }
    ReleaseSkin();
}

bool SelectionControl::ConsumesMessage(UINT message) const noexcept {
    for (const AttachedMessage& m : kMessages)
        if (m.message == message) return m.response == 0;
    return false;
}

LRESULT SelectionControl::HandleMessage(HWND, UINT iMsg, WPARAM wParam, LPARAM lParam) {
    switch (iMsg) {
    case WM_PAINT:
        PaintWindow();
        return 0;
    case WM_WINDOWPOSCHANGED:
        WindowPosChanged(lParam);
        return 0;
    case kMsgSendTipTextSize:
        return TipTextSize(state_.m_sNuToolTipText);
    case kMsgSendTipText:
        return AnswerSendTipText(state_.m_hWnd, state_.m_sNuToolTipText, wParam, lParam);
    case WM_TIMER:
        HoverTick();
        return 0;
    case WM_MOUSEMOVE:
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
    case WM_LBUTTONUP:
    case WM_RBUTTONUP:
    case WM_MBUTTONUP:
        MouseMessage(iMsg, wParam, lParam);
        return 0;
    default:
        return 0;
    }
}

void SelectionControl::PaintWindow() {
    PaintDc paint(state_.m_hWnd);
    const RECT area = paint.area();
    CaptureParentBackground(false, &area);
    DrawControl();
}

void SelectionControl::WindowPosChanged(LPARAM lParam) {
    const auto* pos = reinterpret_cast<const WINDOWPOS*>(lParam);
    if (!pos || (pos->flags & SWP_NOMOVE)) return;
    RECT screen{};
    ::GetWindowRect(state_.m_hWnd, &screen);
    if (screen.left != pos->x || screen.top != pos->y) CaptureParentBackground(true);
    DrawControl();
}

} // namespace pkw::selection
