// Multi-stop gradients, linear along an axis or radial about a centre.
//
// A stop puts its colour at `percent` of the way along the axis (or out to
// the radius); colours blend linearly between neighbouring stops, and
// before the first and after the last stop the end colours continue. Stops
// are taken in their order: one placed before its predecessor sits at the
// predecessor's place (a hard step).
#pragma once

#include "layer.h"

#include <optional>
#include <span>

namespace pkw::fx {

struct GradientStop {
    Rgb colour;
    int percent = 0;
    std::uint8_t alpha = 255;
};

// The stops a gradient mode uses: 0 the first two given, 2 all of them;
// any other mode the engine's own ramp, white at 0 % to black at 100 %.
std::span<const GradientStop> StopsForMode(int mode, std::span<const GradientStop> given) noexcept;

struct LinearAxis {
    float x0 = 0, y0 = 0, x1 = 0, y1 = 0;
};

// The axis of a linear gradient at `degrees` over width × height, from the
// top-left corner to effects::LinearGradientEnd.
LinearAxis LinearAxisFor(float degrees, int width, int height) noexcept;

struct RadialShape {
    float cx = 0, cy = 0, radius = 0;
};

// The circle of a radial gradient by its calc mode
// (effects::RadialGradientCircle).
std::optional<RadialShape> RadialShapeFor(int calcMode, int width, int height, int x, int y,
                                          int radius) noexcept;

void FillLinear(View view, LinearAxis axis, std::span<const GradientStop> stops) noexcept;
void FillRadial(View view, RadialShape shape, std::span<const GradientStop> stops) noexcept;

} // namespace pkw::fx
