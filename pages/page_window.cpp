#include "pages/page_window.h"

#include "common/com/module.h"

namespace pkw::pages {

PageWindow::PageWindow(BufferedView& view) noexcept
    : class_(L"PkwPages.Page", &PageWindow::windowProc), view_(view) {}

bool PageWindow::create(HWND parent, const RECT& rect) noexcept {
    destroy();
    if (!class_.valid() || !parent) return false;
    // A control parent: the frame's dialog navigation reaches the controls
    // that a page places in it.
    window_.reset(::CreateWindowExW(WS_EX_CONTROLPARENT, class_.name(), L"",
                                    WS_CHILD | WS_CLIPCHILDREN | WS_CLIPSIBLINGS, rect.left,
                                    rect.top, rect.right - rect.left, rect.bottom - rect.top,
                                    parent, nullptr, module::handle(), nullptr));
    if (!window_) return false;
    ::SetWindowLongPtrW(window_.get(), GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    return true;
}

void PageWindow::destroy() noexcept {
    if (!window_) return;
    ::SetWindowLongPtrW(window_.get(), GWLP_USERDATA, 0);
    window_.reset();
}

LRESULT CALLBACK PageWindow::windowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    auto* self = reinterpret_cast<PageWindow*>(::GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    if (self) {
        switch (msg) {
        case WM_ERASEBKGND:
            return 1; // every paint covers the whole window
        case WM_PAINT:
            PaintBuffered(hwnd, nullptr, self->view_);
            return 0;
        case WM_PRINTCLIENT:
            PaintBuffered(hwnd, reinterpret_cast<HDC>(wParam), self->view_);
            return 0;
        case WM_NCDESTROY:
            // Destroyed with the frame's window: the handle must not be
            // destroyed again later, when it may name another window.
            ::SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
            (void)self->window_.release();
            break;
        default:
            break;
        }
    }
    return ::DefWindowProcW(hwnd, msg, wParam, lParam);
}

} // namespace pkw::pages
