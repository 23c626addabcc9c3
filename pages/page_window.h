// The window of a property page: a child of the page frame's window from
// Activate to Deactivate, drawn whole by its view on every paint.
#pragma once

#include "activex/window_class.h"
#include "common/win/paint_buffer.h"
#include "common/win/unique_handle.h"
#include "pages/buffered_paint.h"

#include <windows.h>

namespace pkw::pages {

class PageWindow {
public:
    explicit PageWindow(BufferedView& view) noexcept;
    ~PageWindow() { destroy(); }
    PageWindow(const PageWindow&) = delete;
    PageWindow& operator=(const PageWindow&) = delete;

    // A new window, hidden, in `parent` at `rect` (the parent's client
    // coordinates); an earlier one goes first. False when none was made.
    bool create(HWND parent, const RECT& rect) noexcept;
    void destroy() noexcept;

    HWND hwnd() const noexcept { return window_.get(); }

private:
    static LRESULT CALLBACK windowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);

    ax::window_class::Lease class_;
    PaintScratchUser scratch_;
    UniqueWindow window_;
    BufferedView& view_;
};

} // namespace pkw::pages
