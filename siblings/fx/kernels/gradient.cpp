#include "gradient.h"

#include "common/effects/gradient_geometry.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace pkw::fx {
namespace {

constexpr GradientStop kEngineRamp[] = {{{255, 255, 255}, 0}, {{0, 0, 0}, 100}};

// Colours at 1024 evenly spaced places from 0 to 1: finer than a control
// is long, so lookups show no steps.
constexpr int kSteps = 1024;
using Ramp = std::array<Pixel, kSteps>;

Ramp RampOf(std::span<const GradientStop> stops) noexcept {
    Ramp ramp{};
    if (stops.empty()) return ramp;
    auto place = [](int i) { return float(i) * 100.0f / (kSteps - 1); };
    float from = float(stops[0].percent);
    Pixel a = Premultiply(stops[0].colour, stops[0].alpha);
    int i = 0;
    for (; i < kSteps && place(i) < from; ++i)
        ramp[i] = a;
    for (const GradientStop& stop : stops.subspan(1)) {
        const float to = std::max(from, float(stop.percent));
        const Pixel b = Premultiply(stop.colour, stop.alpha);
        for (; i < kSteps && place(i) < to; ++i) {
            const float f = (place(i) - from) / (to - from);
            auto mix = [f](std::uint32_t p, std::uint32_t q) {
                return std::uint32_t(std::lround(float(p) + (float(q) - float(p)) * f));
            };
            ramp[i] = Bgra(mix(BlueOf(a), BlueOf(b)), mix(GreenOf(a), GreenOf(b)),
                           mix(RedOf(a), RedOf(b)), mix(AlphaOf(a), AlphaOf(b)));
        }
        from = to;
        a = b;
    }
    for (; i < kSteps; ++i)
        ramp[i] = a;
    return ramp;
}

Pixel Lookup(const Ramp& ramp, float t) noexcept {
    const float i = std::clamp(t, 0.0f, 1.0f) * (kSteps - 1);
    return ramp[std::size_t(std::lround(i))];
}

} // namespace

std::span<const GradientStop> StopsForMode(int mode, std::span<const GradientStop> given) noexcept {
    if (mode == 0) return given.first(std::min<std::size_t>(given.size(), 2));
    if (mode == 2) return given;
    return kEngineRamp;
}

LinearAxis LinearAxisFor(float degrees, int width, int height) noexcept {
    const effects::Point end = effects::LinearGradientEnd(degrees, width, height);
    return {0, 0, float(end.x), float(end.y)};
}

std::optional<RadialShape> RadialShapeFor(int calcMode, int width, int height, int x, int y,
                                          int radius) noexcept {
    const auto circle = effects::RadialGradientCircle(calcMode, width, height, x, y, radius);
    if (!circle) return std::nullopt;
    return RadialShape{float(circle->cx), float(circle->cy), float(circle->radius)};
}

void FillLinear(View view, LinearAxis axis, std::span<const GradientStop> stops) noexcept {
    const Ramp ramp = RampOf(stops);
    const float ax = axis.x1 - axis.x0, ay = axis.y1 - axis.y0;
    const float length2 = ax * ax + ay * ay;
    // A point-like axis: everything lies at its start.
    const float kx = length2 > 0 ? ax / length2 : 0, ky = length2 > 0 ? ay / length2 : 0;
    for (int y = 0; y < view.height; ++y) {
        Pixel* row = view.Row(y);
        const float py = y + 0.5f - axis.y0;
        for (int x = 0; x < view.width; ++x)
            row[x] = Lookup(ramp, (x + 0.5f - axis.x0) * kx + py * ky);
    }
}

void FillRadial(View view, RadialShape shape, std::span<const GradientStop> stops) noexcept {
    const Ramp ramp = RampOf(stops);
    const float k = shape.radius > 0 ? 1.0f / shape.radius : 1e9f;
    for (int y = 0; y < view.height; ++y) {
        Pixel* row = view.Row(y);
        const float dy = y + 0.5f - shape.cy;
        for (int x = 0; x < view.width; ++x) {
            const float dx = x + 0.5f - shape.cx;
            row[x] = Lookup(ramp, std::sqrt(dx * dx + dy * dy) * k);
        }
    }
}

} // namespace pkw::fx
