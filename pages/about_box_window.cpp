#include "pages/about_box_window.h"

#include "common/com/module.h"
#include "pages/about_box_drawing.h"
#include "pages/product_panel.h"

#include <windowsx.h>

namespace pkw::pages {
namespace {

constexpr SIZE kClientTwips{5910, 4620};
constexpr wchar_t kTitle[] = L"About Pickwell";
constexpr DWORD kStyle = WS_POPUP | WS_CAPTION | WS_SYSMENU;
constexpr DWORD kExStyle = WS_EX_DLGMODALFRAME;
constexpr WPARAM kAnyButton = MK_LBUTTON | MK_RBUTTON | MK_MBUTTON;

POINT PointOf(LPARAM lParam) noexcept {
    return {GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
}

} // namespace

AboutBoxWindow::AboutBoxWindow() noexcept
    : class_(kAboutBoxClass, &AboutBoxWindow::windowProc), tpp_(ax::units::screenTwipsPerPixel()),
      button_(tpp_) {}

bool AboutBoxWindow::open(HWND owner) noexcept {
    if (!class_.valid() || window_) return false;
    RECT frame{0, 0, ax::units::pixelsFromTwips(kClientTwips.cx, tpp_.x),
               ax::units::pixelsFromTwips(kClientTwips.cy, tpp_.y)};
    ::AdjustWindowRectEx(&frame, kStyle, FALSE, kExStyle);
    const int width = frame.right - frame.left, height = frame.bottom - frame.top;
    const int left = (::GetSystemMetrics(SM_CXSCREEN) - width) / 2;
    const int top = (::GetSystemMetrics(SM_CYSCREEN) - height) / 2;
    window_.reset(::CreateWindowExW(kExStyle, class_.name(), kTitle, kStyle, left, top, width,
                                    height, owner, nullptr, module::handle(), nullptr));
    if (!window_) return false;
    ::SetWindowLongPtrW(window_.get(), GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    if (owner && ::IsWindowEnabled(owner)) {
        ::EnableWindow(owner, FALSE);
        disabledOwner_ = owner;
    }
    ::ShowWindow(window_.get(), SW_SHOW);
    ::UpdateWindow(window_.get());
    return true;
}

void AboutBoxWindow::close() noexcept {
    // The owner first: enabled before the box goes, it takes the activation
    // back instead of another application.
    enableOwner();
    if (!window_) return;
    ::SetWindowLongPtrW(window_.get(), GWLP_USERDATA, 0);
    window_.reset();
}

void AboutBoxWindow::enableOwner() noexcept {
    if (disabledOwner_) ::EnableWindow(disabledOwner_, TRUE);
    disabledOwner_ = nullptr;
}

LRESULT CALLBACK AboutBoxWindow::windowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    auto* self = reinterpret_cast<AboutBoxWindow*>(::GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    if (!self) return ::DefWindowProcW(hwnd, msg, wParam, lParam);
    if (msg == WM_NCDESTROY) {
        // Destroyed from outside (its owner went): nothing left to close.
        ::SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
        self->enableOwner();
        (void)self->window_.release();
        return ::DefWindowProcW(hwnd, msg, wParam, lParam);
    }
    return self->handle(msg, wParam, lParam);
}

LRESULT AboutBoxWindow::handle(UINT msg, WPARAM wParam, LPARAM lParam) noexcept {
    const HWND hwnd = window_.get();
    switch (msg) {
    case WM_ERASEBKGND:
        return 1; // every paint covers the whole client area
    case WM_PAINT:
        PaintBuffered(hwnd, nullptr, *this);
        return 0;
    case WM_PRINTCLIENT:
        PaintBuffered(hwnd, reinterpret_cast<HDC>(wParam), *this);
        return 0;
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
    case WM_RBUTTONDBLCLK:
    case WM_MBUTTONDBLCLK:
        // Captured, so the release outside the box still ends the press.
        ::SetCapture(hwnd);
        react(button_.mouseDown(PointOf(lParam)));
        return 0;
    case WM_LBUTTONUP:
    case WM_RBUTTONUP:
    case WM_MBUTTONUP:
        if ((wParam & kAnyButton) == 0 && ::GetCapture() == hwnd) ::ReleaseCapture();
        react(button_.mouseUp(PointOf(lParam)));
        return 0;
    case WM_MOUSEMOVE:
        mouseMove(PointOf(lParam), (wParam & kAnyButton) != 0);
        return 0;
    case WM_MOUSELEAVE:
        // The cursor left the box without a move outside the button.
        trackingLeave_ = false;
        if (::GetCapture() != hwnd) react(button_.mouseMove({-1, -1}, false));
        return 0;
    case WM_CLOSE:
        close();
        return 0;
    default:
        return ::DefWindowProcW(hwnd, msg, wParam, lParam);
    }
}

void AboutBoxWindow::mouseMove(POINT pixel, bool buttonHeld) noexcept {
    if (!trackingLeave_) {
        TRACKMOUSEEVENT track{sizeof(track), TME_LEAVE, window_.get(), 0};
        trackingLeave_ = ::TrackMouseEvent(&track) != FALSE;
    }
    react(button_.mouseMove(pixel, buttonHeld));
}

void AboutBoxWindow::react(CloseButtonReaction reaction) noexcept {
    if (reaction.close) {
        close();
    } else if (reaction.repaint) {
        ::InvalidateRect(window_.get(), nullptr, FALSE);
    }
}

void AboutBoxWindow::draw(HDC hdc, SIZE client) noexcept {
    DrawAboutBox(hdc, client, tpp_, button_.state(), CurrentYear());
}

} // namespace pkw::pages
