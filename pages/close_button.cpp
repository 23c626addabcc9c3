#include "pages/close_button.h"

namespace pkw::pages {
namespace {

// Client twips; right and bottom are outside.
constexpr RECT kHitTwips{4696, 4141, 5805, 4500};

} // namespace

bool CloseButton::hit(POINT pixel) const noexcept {
    const LONG x = ax::units::twipsAtPixel(pixel.x, tpp_.x);
    const LONG y = ax::units::twipsAtPixel(pixel.y, tpp_.y);
    return x >= kHitTwips.left && x < kHitTwips.right && y >= kHitTwips.top && y < kHitTwips.bottom;
}

CloseButtonReaction CloseButton::become(CloseButtonState next) noexcept {
    const bool changed = next != state_;
    state_ = next;
    return {changed, false};
}

CloseButtonReaction CloseButton::mouseDown(POINT pixel) noexcept {
    return become(hit(pixel) ? CloseButtonState::Pressed : CloseButtonState::Normal);
}

CloseButtonReaction CloseButton::mouseMove(POINT pixel, bool buttonHeld) noexcept {
    if (buttonHeld) return {};
    return become(hit(pixel) ? CloseButtonState::Hot : CloseButtonState::Normal);
}

CloseButtonReaction CloseButton::mouseUp(POINT pixel) noexcept {
    if (hit(pixel)) return {false, true};
    return become(CloseButtonState::Normal);
}

} // namespace pkw::pages
