// TipWindow: the window that shows a tip's picture. A top-most layered popup
// that never activates, never takes the focus and lets the mouse through
// (the control under it keeps its hover). Made on the calling thread at the
// first show, destroyed with this object; its class is registered on this
// DLL while any such window exists.
//
// Animations run on a timer of the window itself, one step per tick:
//   TipMotion::Instant  at once
//   TipMotion::Fade     opacity from 0 to the tip's alpha (or back)
//   TipMotion::Slide    glides in from beyond its place, fading as it comes
#pragma once

#include "common/win/unique_handle.h"
#include "siblings/globals/tip_painter.h"

#include <windows.h>

namespace pkw::globals {

enum class TipMotion { Instant, Fade, Slide };

// Show and hide methods as numbers: 0 instant, 1 fade, 2 slide; others instant.
TipMotion tipMotionOf(LONG method) noexcept;

// The window's class name (for finding the window).
inline constexpr wchar_t kTipWindowClass[] = L"zelNuRichTip40";

class TipWindow {
public:
    TipWindow() = default;
    TipWindow(const TipWindow&) = delete;
    TipWindow& operator=(const TipWindow&) = delete;
    ~TipWindow();

    // Shows the picture at its place with `alpha` as the window's opacity.
    void show(TipPicture picture, BYTE alpha, TipMotion motion, int steps);
    void hide(TipMotion motion, int steps);

    HWND handle() const noexcept { return window_.get(); }

private:
    struct Animation {
        bool running = false;
        bool showing = true;
        TipMotion motion = TipMotion::Instant;
        int step = 0;
        int steps = 0;
    };

    static LRESULT CALLBACK windowProc(HWND hwnd, UINT message, WPARAM wParam,
                                       LPARAM lParam) noexcept;
    bool ensureWindow();
    void start(TipMotion motion, int steps, bool showing);
    void advance();
    // How far the animation has brought the tip: 0 hidden, 1 fully in place.
    double progress() const noexcept;
    // The same for the tip as it stands on screen (0 when hidden).
    double level() const noexcept;
    // Puts the picture on screen as the animation's current step has it.
    void present();
    void finish();

    TipPicture picture_;
    BYTE alpha_ = 255;
    Animation animation_;
    bool classHeld_ = false;
    UniqueWindow window_;
};

} // namespace pkw::globals
