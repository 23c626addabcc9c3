// The about box's window: its mouse messages drive the close button, its
// paints draw the box, and a click on the button closes it. Like any modal
// window it keeps its owner disabled while it is open.
#pragma once

#include "activex/units.h"
#include "activex/window_class.h"
#include "common/win/paint_buffer.h"
#include "common/win/unique_handle.h"
#include "pages/buffered_paint.h"
#include "pages/close_button.h"

#include <windows.h>

namespace pkw::pages {

inline constexpr wchar_t kAboutBoxClass[] = L"PkwPages.AboutBox";

class AboutBoxWindow : private BufferedView {
public:
    AboutBoxWindow() noexcept;
    ~AboutBoxWindow() { close(); }
    AboutBoxWindow(const AboutBoxWindow&) = delete;
    AboutBoxWindow& operator=(const AboutBoxWindow&) = delete;

    // Creates the box owned by `owner` (may be null), centred on the
    // screen, and shows it.
    bool open(HWND owner) noexcept;
    // Gives the owner back its input and destroys the window.
    void close() noexcept;

    // Open until its window is destroyed, by close() or otherwise.
    bool isOpen() const noexcept { return static_cast<bool>(window_); }
    HWND hwnd() const noexcept { return window_.get(); }

private:
    static LRESULT CALLBACK windowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
    LRESULT handle(UINT msg, WPARAM wParam, LPARAM lParam) noexcept;
    void mouseMove(POINT pixel, bool buttonHeld) noexcept;
    void react(CloseButtonReaction reaction) noexcept;
    void enableOwner() noexcept;
    void draw(HDC hdc, SIZE client) noexcept override;

    ax::window_class::Lease class_;
    PaintScratchUser scratch_;
    ax::units::TwipsPerPixel tpp_;
    CloseButton button_;
    UniqueWindow window_;
    HWND disabledOwner_ = nullptr;
    bool trackingLeave_ = false;
};

} // namespace pkw::pages
