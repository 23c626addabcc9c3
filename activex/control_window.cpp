#include "activex/control_window.h"

#include "common/com/module.h"

#include <windowsx.h>

namespace pkw::ax {
namespace {

constexpr WPARAM kAnyButton = MK_LBUTTON | MK_RBUTTON | MK_MBUTTON | MK_XBUTTON1 | MK_XBUTTON2;

bool isButtonDown(UINT msg) noexcept {
    switch (msg) {
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
    case WM_XBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
    case WM_RBUTTONDBLCLK:
    case WM_MBUTTONDBLCLK:
    case WM_XBUTTONDBLCLK:
        return true;
    default:
        return false;
    }
}

bool isButtonUp(UINT msg) noexcept {
    return msg == WM_LBUTTONUP || msg == WM_RBUTTONUP || msg == WM_MBUTTONUP || msg == WM_XBUTTONUP;
}

} // namespace

ControlWindow::ControlWindow(const wchar_t* className, SIZE size, WindowListener& listener) noexcept
    : class_(className, &ControlWindow::windowProc) {
    if (!class_.valid() || !parking_.hwnd()) return;
    window_.reset(::CreateWindowExW(0, class_.name(), L"",
                                    WS_CHILD | WS_CLIPSIBLINGS | WS_CLIPCHILDREN, 0, 0, size.cx,
                                    size.cy, parking_.hwnd(), nullptr, module::handle(), nullptr));
    if (!window_) return;
    // CS_OWNDC: this DC belongs to the window for its whole life.
    hdc_ = ::GetDC(window_.get());
    // Reports start once the window exists: creation messages are the
    // default procedure's business.
    listener_ = &listener;
    ::SetWindowLongPtrW(window_.get(), GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
}

ControlWindow::~ControlWindow() {
    destroy();
}

void ControlWindow::mute() noexcept {
    listener_ = nullptr;
    if (window_) ::SetWindowLongPtrW(window_.get(), GWLP_USERDATA, 0);
}

void ControlWindow::destroy() noexcept {
    mute();
    if (!window_) return;
    if (::GetCapture() == window_.get()) ::ReleaseCapture();
    if (hdc_) ::ReleaseDC(window_.get(), hdc_);
    hdc_ = nullptr;
    window_.reset();
}

SIZE ControlWindow::clientSize() const noexcept {
    RECT rc{};
    if (window_) ::GetClientRect(window_.get(), &rc);
    return {rc.right - rc.left, rc.bottom - rc.top};
}

void ControlWindow::place(HWND parent, const RECT& rect) noexcept {
    if (!window_ || !parent) return;
    if (::GetParent(window_.get()) != parent) ::SetParent(window_.get(), parent);
    move(rect);
    ::ShowWindow(window_.get(), SW_SHOWNA);
}

void ControlWindow::park() noexcept {
    if (!window_) return;
    ::ShowWindow(window_.get(), SW_HIDE);
    if (parking_.hwnd() && ::GetParent(window_.get()) != parking_.hwnd())
        ::SetParent(window_.get(), parking_.hwnd());
}

void ControlWindow::resize(SIZE size) noexcept {
    if (!window_) return;
    ::SetWindowPos(window_.get(), nullptr, 0, 0, size.cx, size.cy,
                   SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void ControlWindow::move(const RECT& rect) noexcept {
    if (!window_) return;
    ::SetWindowPos(window_.get(), nullptr, rect.left, rect.top, rect.right - rect.left,
                   rect.bottom - rect.top, SWP_NOZORDER | SWP_NOACTIVATE);
}

short ControlWindow::shiftState() noexcept {
    short shift = 0;
    if (::GetKeyState(VK_SHIFT) < 0) shift |= 1;
    if (::GetKeyState(VK_CONTROL) < 0) shift |= 2;
    if (::GetKeyState(VK_MENU) < 0) shift |= 4;
    return shift;
}

LRESULT CALLBACK ControlWindow::windowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    auto* self = reinterpret_cast<ControlWindow*>(::GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    if (self && msg == WM_NCDESTROY) {
        // Destroyed from outside (a container that destroyed its own window
        // first): forget the handle, the control carries on without it.
        self->mute();
        self->hdc_ = nullptr;
        static_cast<void>(self->window_.release());
        return ::DefWindowProcW(hwnd, msg, wParam, lParam);
    }
    if (!self || !self->listener_) return ::DefWindowProcW(hwnd, msg, wParam, lParam);
    WindowListener& listener = *self->listener_;
    listener.windowEnter();
    const LRESULT result = self->handle(listener, msg, wParam, lParam);
    // May release the control and, with it, this window: nothing after it.
    listener.windowLeave();
    return result;
}

LRESULT ControlWindow::handle(WindowListener& listener, UINT msg, WPARAM wParam, LPARAM lParam) {
    const HWND hwnd = window_.get();
    if (isButtonDown(msg)) {
        listener.windowButtonDown();
        if (::GetCapture() != hwnd) ::SetCapture(hwnd);
        if (msg == WM_LBUTTONDBLCLK) listener.windowDoubleClick();
        return msg == WM_XBUTTONDOWN || msg == WM_XBUTTONDBLCLK ? TRUE : 0;
    }
    if (isButtonUp(msg)) {
        if ((GET_KEYSTATE_WPARAM(wParam) & kAnyButton) == 0 && ::GetCapture() == hwnd)
            ::ReleaseCapture();
        return msg == WM_XBUTTONUP ? TRUE : 0;
    }
    switch (msg) {
    case WM_PAINT: {
        PaintDc paint(hwnd);
        listener.windowPaint();
        return 0;
    }
    case WM_ERASEBKGND:
        if (listener.windowEraseBackground(reinterpret_cast<HDC>(wParam))) return 1;
        break;
    case WM_SETCURSOR:
        if (reinterpret_cast<HWND>(wParam) == hwnd && LOWORD(lParam) == HTCLIENT &&
            listener.windowSetCursor())
            return TRUE;
        break;
    case WM_KEYDOWN:
        listener.windowKeyDown(static_cast<short>(wParam), shiftState());
        return 0;
    case WM_SYSKEYDOWN:
        // The system keys (Alt+F4, the menu) still work.
        listener.windowKeyDown(static_cast<short>(wParam), shiftState());
        break;
    case WM_KEYUP:
        listener.windowKeyUp(static_cast<short>(wParam), shiftState());
        return 0;
    case WM_SYSKEYUP:
        listener.windowKeyUp(static_cast<short>(wParam), shiftState());
        break;
    case WM_CHAR:
        listener.windowKeyPress(static_cast<short>(wParam));
        return 0;
    case WM_GETDLGCODE:
        return DLGC_WANTCHARS;
    case WM_SETFOCUS:
        listener.windowFocus(true);
        return 0;
    case WM_KILLFOCUS:
        listener.windowFocus(false);
        return 0;
    case WM_SIZE:
        listener.windowSized(clientSize());
        return 0;
    case WM_SHOWWINDOW:
        // ShowWindow in a parent that is not shown yet (a host that
        // activates the control while creating its own window) only flips
        // the style: no position change reports it, this message does.
        if (lParam == 0) listener.windowVisible(wParam != FALSE);
        break;
    case WM_WINDOWPOSCHANGED: {
        // The default procedure sends WM_SIZE and WM_MOVE: the size is
        // known before the window is reported shown.
        const LRESULT result = ::DefWindowProcW(hwnd, msg, wParam, lParam);
        const auto* pos = reinterpret_cast<const WINDOWPOS*>(lParam);
        if (pos->flags & SWP_SHOWWINDOW) listener.windowVisible(true);
        if (pos->flags & SWP_HIDEWINDOW) listener.windowVisible(false);
        return result;
    }
    default:
        break;
    }
    return ::DefWindowProcW(hwnd, msg, wParam, lParam);
}

} // namespace pkw::ax
