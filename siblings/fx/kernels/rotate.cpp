#include "rotate.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <numbers>

namespace pkw::fx {
namespace {

// The quarter turns (0 to 3) that `degrees` is, if it is one.
int QuarterTurns(float degrees) noexcept {
    const double turns = std::fmod(std::fmod(double(degrees), 360.0) + 360.0, 360.0) / 90.0;
    const double whole = std::round(turns);
    return std::abs(turns - whole) < 1e-6 ? int(whole) % 4 : -1;
}

void TurnQuarters(ConstView src, View dst, int quarters) noexcept {
    const int w = src.width, h = src.height;
    for (int y = 0; y < h; ++y) {
        const Pixel* row = src.Row(y);
        for (int x = 0; x < w; ++x) {
            // Counter-clockwise: a quarter turn takes the right edge to the
            // top, three take it to the bottom.
            if (quarters == 0) dst.At(x, y) = row[x];
            if (quarters == 1) dst.At(y, w - 1 - x) = row[x];
            if (quarters == 2) dst.At(w - 1 - x, h - 1 - y) = row[x];
            if (quarters == 3) dst.At(h - 1 - y, x) = row[x];
        }
    }
}

// Source pixel (x, y) or transparent beyond the edges.
Pixel At(ConstView src, int x, int y) noexcept {
    return x < 0 || y < 0 || x >= src.width || y >= src.height ? 0 : src.At(x, y);
}

// Two channels at a time: blue and red, or green and alpha, in the low
// bytes of two 16-bit lanes, weighed by w of 256 (the lanes cannot spill).
constexpr std::uint32_t kLanes = 0x00FF00FF;

std::uint32_t Mix(std::uint32_t a, std::uint32_t b, std::uint32_t w) noexcept {
    return ((a * (256 - w) + b * w) >> 8) & kLanes;
}

// Bilinear between four pixels, fx and fy in 256ths.
Pixel Bilinear(Pixel p00, Pixel p10, Pixel p01, Pixel p11, std::uint32_t fx,
               std::uint32_t fy) noexcept {
    auto lanes = [&](int shift) {
        auto l = [shift](Pixel p) { return (p >> shift) & kLanes; };
        return Mix(Mix(l(p00), l(p10), fx), Mix(l(p01), l(p11), fx), fy) << shift;
    };
    return lanes(0) | lanes(8);
}

} // namespace

Size RotatedSize(int width, int height, float degrees) noexcept {
    const int quarters = QuarterTurns(degrees);
    if (quarters == 0 || quarters == 2) return {width, height};
    if (quarters == 1 || quarters == 3) return {height, width};
    const double a = double(degrees) * std::numbers::pi / 180.0;
    const double c = std::abs(std::cos(a)), s = std::abs(std::sin(a));
    return {int(std::ceil(width * c + height * s - 1e-6)),
            int(std::ceil(width * s + height * c - 1e-6))};
}

void Rotate(ConstView src, View dst, float degrees, Sampling sampling) noexcept {
    const int quarters = QuarterTurns(degrees);
    if (quarters >= 0) return TurnQuarters(src, dst, quarters);
    const double a = double(degrees) * std::numbers::pi / 180.0;
    const double c = std::cos(a), s = std::sin(a);
    // Back from each turned pixel centre to the source, in 16.16 fixed
    // point, stepping along the row.
    constexpr double kOne = 65536.0;
    const auto stepX = std::int64_t(std::llround(c * kOne)),
               stepY = std::int64_t(std::llround(s * kOne));
    for (int y = 0; y < dst.height; ++y) {
        Pixel* row = dst.Row(y);
        const double u = 0.5 - dst.width / 2.0, v = y + 0.5 - dst.height / 2.0;
        std::int64_t sx = std::llround((src.width / 2.0 + u * c - v * s - 0.5) * kOne);
        std::int64_t sy = std::llround((src.height / 2.0 + u * s + v * c - 0.5) * kOne);
        if (sampling == Sampling::Nearest) {
            // Half a pixel on: the nearest centre rather than the one below.
            sx += 1 << 15, sy += 1 << 15;
            for (int x = 0; x < dst.width; ++x, sx += stepX, sy += stepY)
                row[x] = At(src, int(sx >> 16), int(sy >> 16));
            continue;
        }
        for (int x = 0; x < dst.width; ++x, sx += stepX, sy += stepY) {
            const int x0 = int(sx >> 16), y0 = int(sy >> 16);
            const auto fx = std::uint32_t(sx >> 8) & 0xFF, fy = std::uint32_t(sy >> 8) & 0xFF;
            if (x0 >= 0 && y0 >= 0 && x0 + 1 < src.width && y0 + 1 < src.height) {
                const Pixel* p = &src.At(x0, y0);
                row[x] = Bilinear(p[0], p[1], p[src.stride], p[src.stride + 1], fx, fy);
            } else if (x0 < -1 || y0 < -1 || x0 >= src.width || y0 >= src.height) {
                row[x] = 0;
            } else {
                row[x] = Bilinear(At(src, x0, y0), At(src, x0 + 1, y0), At(src, x0, y0 + 1),
                                  At(src, x0 + 1, y0 + 1), fx, fy);
            }
        }
    }
}

Bounds RotatedBounds(Bounds box, int width, int height, float degrees) noexcept {
    if (box.Empty()) return {};
    const Size turned = RotatedSize(width, height, degrees);
    const int quarters = QuarterTurns(degrees);
    // Exact sines for quarter turns, so that their boxes come out whole.
    static constexpr double kSin[] = {0, 1, 0, -1};
    const double a = double(degrees) * std::numbers::pi / 180.0;
    const double c = quarters >= 0 ? kSin[(quarters + 1) % 4] : std::cos(a);
    const double s = quarters >= 0 ? kSin[quarters] : std::sin(a);
    // Rotate()'s mapping turned forward: offsets from the source centre
    // become offsets from the turned layer's centre.
    double left = 1e30, top = 1e30, right = -1e30, bottom = -1e30;
    for (const int px : {box.left, box.right})
        for (const int py : {box.top, box.bottom}) {
            const double dx = px - width / 2.0, dy = py - height / 2.0;
            const double u = turned.width / 2.0 + dx * c + dy * s;
            const double v = turned.height / 2.0 - dx * s + dy * c;
            left = std::min(left, u), right = std::max(right, u);
            top = std::min(top, v), bottom = std::max(bottom, v);
        }
    return {std::max(0, int(std::floor(left + 1e-6))), std::max(0, int(std::floor(top + 1e-6))),
            std::min(turned.width, int(std::ceil(right - 1e-6))),
            std::min(turned.height, int(std::ceil(bottom - 1e-6)))};
}

} // namespace pkw::fx
