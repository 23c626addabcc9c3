// Rounding rules of the effects drawing, in one place.
#pragma once

namespace pkw::effects {

// Halves go to the even neighbour (2.5 -> 2, 3.5 -> 4, -0.5 -> 0), whatever
// the floating-point environment says.
long RoundHalfEven(double value) noexcept;

// A whole-number half that drops the remainder toward zero (-3 -> -1).
constexpr int Half(int value) noexcept {
    return value / 2;
}

} // namespace pkw::effects
