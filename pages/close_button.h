// The about box's drawn close button as plain state: which frame it shows
// and when the box closes, driven by the box's mouse input. Positions are
// client pixels of the box; the hit test is done in whole twips.
#pragma once

#include "activex/units.h"

#include <windows.h>

namespace pkw::pages {

enum class CloseButtonState : LONG { Normal = 0, Pressed = 1, Hot = 2 };

// What the box does after an input.
struct CloseButtonReaction {
    bool repaint = false;
    bool close = false;
};

class CloseButton {
public:
    explicit CloseButton(ax::units::TwipsPerPixel tpp) noexcept : tpp_(tpp) {}

    CloseButtonState state() const noexcept { return state_; }
    bool hit(POINT pixel) const noexcept;

    CloseButtonReaction mouseDown(POINT pixel) noexcept;
    // `buttonHeld`: a mouse button is down (the press owns the look).
    CloseButtonReaction mouseMove(POINT pixel, bool buttonHeld) noexcept;
    CloseButtonReaction mouseUp(POINT pixel) noexcept;

private:
    CloseButtonReaction become(CloseButtonState next) noexcept;

    ax::units::TwipsPerPixel tpp_;
    CloseButtonState state_ = CloseButtonState::Normal;
};

} // namespace pkw::pages
