// Colours of the image generator: 8-bit pixels, and float colours in which
// shading and anti-aliasing are computed (averaged in linear light).
#pragma once

#include <cmath>
#include <cstdint>

namespace pkw::images {

struct Rgb {
    std::uint8_t r, g, b;
    friend bool operator==(const Rgb&, const Rgb&) = default;
};

// The mask colour of every image: pixels of exactly this colour are not drawn.
inline constexpr Rgb kMask{255, 0, 255};

// An sRGB colour with channels 0 to 255.
struct Color {
    float r, g, b;
};

constexpr Color Hex(std::uint32_t rgb) {
    return {float((rgb >> 16) & 0xFF), float((rgb >> 8) & 0xFF), float(rgb & 0xFF)};
}

// a + (b - a) * t, per channel.
constexpr Color Mix(Color a, Color b, float t) {
    return {a.r + (b.r - a.r) * t, a.g + (b.g - a.g) * t, a.b + (b.b - a.b) * t};
}

inline float ToLinear(float c) {
    return std::pow(c / 255.0f, 2.2f);
}
inline float FromLinear(float c) {
    return 255.0f * std::pow(c, 1.0f / 2.2f);
}

inline Rgb ToRgb(Color c) {
    const auto channel = [](float v) {
        return std::uint8_t(std::lround(v < 0 ? 0 : v > 255 ? 255 : v));
    };
    return {channel(c.r), channel(c.g), channel(c.b)};
}

// True for a colour that reads as a blend with the mask colour: red and blue
// both well above green. The exact mask colour is not counted.
constexpr bool NearMask(Rgb c) {
    if (c == kMask) return false;
    const int low = c.r < c.b ? c.r : c.b;
    return low - int(c.g) > 48;
}

} // namespace pkw::images
