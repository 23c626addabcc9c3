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
        ComPtr<IGlobalSubclass> subclass = sib::ThreadSubclass();
        if (!subclass) return;
        const bool background = NeedsParentBackground();
        attached_.clear();
        for (const AttachedMessage& m : kMessages) {
            if (m.background && !background) continue;
            if (SUCCEEDED(subclass->AttachMessage(this, state_.m_hWnd, m.message)))
                attached_.push_back(m.message);
        }
        subclass_ = std::move(subclass);
        state_.m_bSubclassed = true;
    } catch (...) {
        // Without its messages the control still draws through Paint.
    }
}

void SelectionControl::DetachMessages() {
    try {
        if (state_.m_bSubclassed) {
            // Exactly what was attached goes: BackStyle may have changed since.
            if (subclass_) {
                for (const UINT message : attached_)
                    ignore(subclass_->DetachMessage(this, state_.m_hWnd, message));
            }
            attached_.clear();
            subclass_.Reset();
            // Without its messages the hover timer would tick for nobody.
            StopHover();
            state_.m_bSubclassed = false;
        }
    } catch (...) {
    }
    ReleaseSkin();
}

STDMETHODIMP SelectionControl::get_MsgResponse(LONG* response) {
    if (!response) return E_POINTER;
    UINT current = 0;
    if (subclass_) ignore(subclass_->get_CurrentMessage(&current));
    *response = (current == WM_PAINT || current == WM_PARENTNOTIFY) ? 0 : 2;
    return S_OK;
}

STDMETHODIMP SelectionControl::put_MsgResponse(LONG) {
    return S_OK;
}

STDMETHODIMP SelectionControl::WindowProc(HWND hWnd, UINT iMsg, WPARAM wParam, LPARAM lParam,
                                          LRESULT* result) {
    LRESULT answer = 0;
    try {
        // A handler may release the control; it lives until the answer is given.
        ComPtr<IUnknown> keepAlive(identity());
        answer = HandleMessage(hWnd, iMsg, wParam, lParam);
    } catch (...) {
        // Nothing reaches the window or the container.
    }
    if (result) *result = answer;
    return S_OK;
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
