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

bool Consumed(UINT message) {
    return message == WM_PAINT || message == WM_PARENTNOTIFY;
}

} // namespace

void BTN::AttachMessages() {
    try {
        if (state_.m_bSubclassed) DetachMessages();
        ComPtr<IGlobalSubclass> subclass = sib::ThreadSubclass();
        if (!subclass) return;
        attached_.clear();
        for (const UINT message : kMessages)
            if (SUCCEEDED(subclass->AttachMessage(this, state_.m_hWnd, message)))
                attached_.push_back(message);
        subclass_ = std::move(subclass);
        state_.m_bSubclassed = true;
    } catch (...) {
        // Without its messages the button still draws through Paint.
    }
}

void BTN::DetachMessages() {
    if (!state_.m_bSubclassed) return;
    if (subclass_)
        for (const UINT message : attached_)
            ignore(subclass_->DetachMessage(this, state_.m_hWnd, message));
    attached_.clear();
    subclass_.Reset();
    // Without its messages the hover timer would tick for nobody.
    ax::hover::Stop(state_.m_hWnd);
    state_.m_bHot = false;
    state_.m_bSubclassed = false;
}

STDMETHODIMP BTN::get_MsgResponse(LONG* response) {
    if (!response) return E_POINTER;
    UINT current = 0;
    if (subclass_) ignore(subclass_->get_CurrentMessage(&current));
    *response = Consumed(current) ? 0 : 2;
    return S_OK;
}

STDMETHODIMP BTN::put_MsgResponse(LONG) {
    return S_OK;
}

STDMETHODIMP BTN::WindowProc(HWND, UINT iMsg, WPARAM wParam, LPARAM lParam, LRESULT* result) {
    LRESULT answer = 0;
    try {
        // A handler may release the button; it lives until the answer is given.
        ComPtr<IUnknown> keepAlive(identity());
        answer = HandleMessage(iMsg, wParam, lParam);
    } catch (...) {
        // Nothing reaches the window or the container.
    }
    if (result) *result = answer;
    return S_OK;
}

LRESULT BTN::HandleMessage(UINT iMsg, WPARAM wParam, LPARAM lParam) {
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
