#include "rotate.h"

#include <cmath>
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
            switch (quarters) {
            case 0:
                dst.At(x, y) = row[x];
                break;
            case 1:
                dst.At(y, w - 1 - x) = row[x];
                break; // the right edge goes to the top
            case 2:
                dst.At(w - 1 - x, h - 1 - y) = row[x];
                break;
            default:
                dst.At(h - 1 - y, x) = row[x];
                break; // the right edge goes to the bottom
            }
        }
    }
}

// Source pixel (x, y) or transparent beyond the edges.
Pixel At(ConstView src, int x, int y) noexcept {
    return x < 0 || y < 0 || x >= src.width || y >= src.height ? 0 : src.At(x, y);
}

Pixel Bilinear(ConstView src, float x, float y) noexcept {
    const float fx = std::floor(x), fy = std::floor(y);
    const int x0 = int(fx), y0 = int(fy);
    const auto wx = std::uint32_t((x - fx) * 256.0f), wy = std::uint32_t((y - fy) * 256.0f);
    const Pixel p00 = At(src, x0, y0), p10 = At(src, x0 + 1, y0);
    const Pixel p01 = At(src, x0, y0 + 1), p11 = At(src, x0 + 1, y0 + 1);
    Pixel out = 0;
    for (int shift = 0; shift < 32; shift += 8) {
        auto ch = [shift](Pixel p) { return (p >> shift) & 0xFF; };
        const std::uint32_t top = ch(p00) * (256 - wx) + ch(p10) * wx;
        const std::uint32_t bottom = ch(p01) * (256 - wx) + ch(p11) * wx;
        out |= ((top * (256 - wy) + bottom * wy + 32768) >> 16) << shift;
    }
    return out;
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

void Rotate(ConstView src, View dst, float degrees) noexcept {
    const int quarters = QuarterTurns(degrees);
    if (quarters >= 0) return TurnQuarters(src, dst, quarters);
    const float a = degrees * std::numbers::pi_v<float> / 180.0f;
    const float c = std::cos(a), s = std::sin(a);
    const float scx = src.width / 2.0f, scy = src.height / 2.0f;
    const float dcx = dst.width / 2.0f, dcy = dst.height / 2.0f;
    for (int y = 0; y < dst.height; ++y) {
        Pixel* row = dst.Row(y);
        const float v = y + 0.5f - dcy;
        for (int x = 0; x < dst.width; ++x) {
            // Back from the turned position to the source, in pixel-centre terms.
            const float u = x + 0.5f - dcx;
            row[x] = Bilinear(src, scx + u * c - v * s - 0.5f, scy + u * s + v * c - 0.5f);
        }
    }
}

} // namespace pkw::fx
