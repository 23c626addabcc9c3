// Where a gradient fill runs over a box of width x height pixels: the end
// point of a linear gradient's axis (it starts at the top-left corner) and
// the circle of a radial one. Shared by the engine's fills and by whoever
// must know where a gradient lies.
#pragma once

#include "common/effects/body_geometry.h"

#include <optional>

namespace pkw::effects {

// The angle is held to 0-90 degrees: 0 runs down, 90 across, 45 along the
// diagonal. Above 45 the axis ends at (width, width * tan(90 - a)), else at
// (height * tan(a), height), the computed coordinate rounded halves to even.
Point LinearGradientEnd(double degrees, int width, int height) noexcept;

struct Circle {
    int cx = 0;
    int cy = 0;
    int radius = 0;
    friend bool operator==(const Circle&, const Circle&) = default;
};

// By calc mode: 0 centred, radius half the width; 1 centred, half the
// height; 2 centred, the smaller half; 3 at (x, y) with `radius`; any other
// mode: none. Halves drop the remainder.
std::optional<Circle> RadialGradientCircle(int calcMode, int width, int height, int x, int y,
                                           int radius) noexcept;

} // namespace pkw::effects
