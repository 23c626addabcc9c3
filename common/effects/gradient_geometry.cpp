#include "common/effects/gradient_geometry.h"

#include "common/effects/rounding.h"

#include <algorithm>
#include <cmath>

namespace pkw::effects {
namespace {

// The degree-to-radian factor the effects settings have always used: the
// short one, so that saved angles keep drawing where they did.
constexpr double kRadiansPerDegree = 0.01745;

} // namespace

Point LinearGradientEnd(double degrees, int width, int height) noexcept {
    const double a = std::isnan(degrees) ? 0.0 : std::clamp(degrees, 0.0, 90.0);
    if (a > 45)
        return {width,
                static_cast<int>(RoundHalfEven(width * std::tan((90 - a) * kRadiansPerDegree)))};
    return {static_cast<int>(RoundHalfEven(height * std::tan(a * kRadiansPerDegree))), height};
}

std::optional<Circle> RadialGradientCircle(int calcMode, int width, int height, int x, int y,
                                           int radius) noexcept {
    const int cx = Half(width), cy = Half(height);
    switch (calcMode) {
    case 0:
        return Circle{cx, cy, Half(width)};
    case 1:
        return Circle{cx, cy, Half(height)};
    case 2:
        return Circle{cx, cy, std::min(Half(width), Half(height))};
    case 3:
        return Circle{x, y, radius};
    default:
        return std::nullopt;
    }
}

} // namespace pkw::effects
