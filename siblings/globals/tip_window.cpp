#include "siblings/globals/tip_window.h"

#include "common/com/module.h"

#include <algorithm>
#include <mutex>

namespace pkw::globals {
namespace {

constexpr UINT_PTR kAnimationTimer = 1;
constexpr UINT kStepMilliseconds = 20;
constexpr int kMaxSteps = 200;
constexpr int kSlideDistance = 14;

// The class lives while any tip window does, so that neither the class nor
// its window procedure outlives a window's need for it or the DLL.
class WindowClass {
public:
    static bool acquire(WNDPROC proc) {
        std::lock_guard lock(mutex());
        if (users() == 0) {
            WNDCLASSEXW wc{};
            wc.cbSize = sizeof wc;
            wc.lpfnWndProc = proc;
            wc.hInstance = module::handle();
            wc.hCursor = ::LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW));
            wc.lpszClassName = kTipWindowClass;
            if (!::RegisterClassExW(&wc) && ::GetLastError() != ERROR_CLASS_ALREADY_EXISTS)
                return false;
        }
        ++users();
        return true;
    }
    static void release() {
        std::lock_guard lock(mutex());
        if (users() > 0 && --users() == 0) ::UnregisterClassW(kTipWindowClass, module::handle());
    }

private:
    static std::mutex& mutex() {
        static std::mutex m;
        return m;
    }
    static int& users() {
        static int count = 0;
        return count;
    }
};

} // namespace

TipMotion tipMotionOf(LONG method) noexcept {
    switch (method) {
    case 1:
        return TipMotion::Fade;
    case 2:
        return TipMotion::Slide;
    default:
        return TipMotion::Instant;
    }
}

TipWindow::~TipWindow() {
    if (window_) {
        const HWND hwnd = window_.get();
        ::SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
        if (::GetWindowThreadProcessId(hwnd, nullptr) == ::GetCurrentThreadId()) {
            ::KillTimer(hwnd, kAnimationTimer);
            window_.reset();
        } else {
            // Only its own thread may destroy it; it closes itself there.
            ::PostMessageW(window_.release(), WM_CLOSE, 0, 0);
        }
    }
    if (classHeld_) WindowClass::release();
}

bool TipWindow::ensureWindow() {
    if (window_) return true;
    if (!classHeld_) classHeld_ = WindowClass::acquire(&TipWindow::windowProc);
    if (!classHeld_) return false;
    window_.reset(::CreateWindowExW(
        WS_EX_TOPMOST | WS_EX_TOOLWINDOW | WS_EX_NOACTIVATE | WS_EX_LAYERED | WS_EX_TRANSPARENT,
        kTipWindowClass, L"", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr, module::handle(), nullptr));
    if (!window_) return false;
    ::SetWindowLongPtrW(window_.get(), GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    return true;
}

void TipWindow::show(TipPicture picture, BYTE alpha, TipMotion motion, int steps) {
    if (!picture || !ensureWindow()) return;
    picture_ = std::move(picture);
    alpha_ = alpha;
    start(motion, steps, true);
}

void TipWindow::hide(TipMotion motion, int steps) {
    if (!window_ || !::IsWindowVisible(window_.get())) return;
    start(motion, steps, false);
}

double TipWindow::progress() const noexcept {
    if (!animation_.running || animation_.steps <= 0) return 1.0;
    const double t = double(animation_.step) / animation_.steps;
    return animation_.showing ? t : 1.0 - t;
}

double TipWindow::level() const noexcept {
    return ::IsWindowVisible(window_.get()) ? progress() : 0.0;
}

void TipWindow::start(TipMotion motion, int steps, bool showing) {
    steps = std::clamp(steps, 0, kMaxSteps);
    if (steps == 0) motion = TipMotion::Instant;
    // An animation takes over from where the last one left the tip, so that
    // a tip hidden while it fades in does not flash to full strength first.
    const double from = level();
    const int done = static_cast<int>((showing ? from : 1.0 - from) * steps + 0.5);
    animation_ =
        Animation{motion != TipMotion::Instant && done < steps, showing, motion, done, steps};
    if (!animation_.running) {
        ::KillTimer(window_.get(), kAnimationTimer);
        finish();
        return;
    }
    present();
    ::SetWindowPos(window_.get(), HWND_TOPMOST, 0, 0, 0, 0,
                   SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE | SWP_SHOWWINDOW);
    ::SetTimer(window_.get(), kAnimationTimer, kStepMilliseconds, nullptr);
}

void TipWindow::advance() {
    if (!animation_.running) return;
    if (++animation_.step >= animation_.steps) {
        ::KillTimer(window_.get(), kAnimationTimer);
        finish();
        return;
    }
    present();
}

void TipWindow::finish() {
    animation_.running = false;
    if (animation_.showing) {
        animation_.step = animation_.steps;
        present();
        ::SetWindowPos(window_.get(), HWND_TOPMOST, 0, 0, 0, 0,
                       SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE | SWP_SHOWWINDOW);
    } else {
        ::ShowWindow(window_.get(), SW_HIDE);
        picture_ = TipPicture{};
    }
}

void TipWindow::present() {
    if (!picture_) return;
    const double shown = progress();
    POINT at = picture_.origin;
    if (animation_.motion == TipMotion::Slide) {
        // Comes from beyond its place, away from the point it names.
        const int away = static_cast<int>((1.0 - shown) * kSlideDistance + 0.5);
        at.y += picture_.below ? away : -away;
    }
    BLENDFUNCTION blend{AC_SRC_OVER, 0, static_cast<BYTE>(alpha_ * shown + 0.5), AC_SRC_ALPHA};
    SIZE size = picture_.size();
    POINT source{0, 0};
    const WindowDc screen(nullptr);
    ::UpdateLayeredWindow(window_.get(), screen.get(), &at, &size, picture_.dc(), &source, 0,
                          &blend, ULW_ALPHA);
}

LRESULT CALLBACK TipWindow::windowProc(HWND hwnd, UINT message, WPARAM wParam,
                                       LPARAM lParam) noexcept {
    auto* self = reinterpret_cast<TipWindow*>(::GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    switch (message) {
    case WM_NCHITTEST:
        return HTTRANSPARENT;
    case WM_MOUSEACTIVATE:
        return MA_NOACTIVATE;
    case WM_TIMER:
        if (wParam == kAnimationTimer) {
            if (self)
                self->advance();
            else
                ::KillTimer(hwnd, kAnimationTimer);
            return 0;
        }
        break;
    default:
        break;
    }
    return ::DefWindowProcW(hwnd, message, wParam, lParam);
}

} // namespace pkw::globals
