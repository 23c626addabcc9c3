// Pixels of the effects engine: premultiplied 32-bit BGRA, laid out as a
// 32-bit top-down DIB section holds them (blue in the low byte, alpha in the
// high one). Every colour channel is at most the alpha; a transparent pixel
// is 0 whatever its colour was, which is what keeps keyed-out colours from
// bleeding into blurs and shadows.
#pragma once

#include <cstdint>

namespace pkw::fx {

using Pixel = std::uint32_t;

// A colour as the settings hold it (0x00BBGGRR, already translated from
// OLE_COLOR) with a straight alpha 0-255.
struct Rgb {
    std::uint8_t r = 0, g = 0, b = 0;

    static constexpr Rgb FromColorRef(std::uint32_t bgr) noexcept {
        return {std::uint8_t(bgr), std::uint8_t(bgr >> 8), std::uint8_t(bgr >> 16)};
    }
    friend constexpr bool operator==(Rgb, Rgb) = default;
};

constexpr std::uint32_t BlueOf(Pixel p) noexcept {
    return p & 0xFF;
}
constexpr std::uint32_t GreenOf(Pixel p) noexcept {
    return (p >> 8) & 0xFF;
}
constexpr std::uint32_t RedOf(Pixel p) noexcept {
    return (p >> 16) & 0xFF;
}
constexpr std::uint32_t AlphaOf(Pixel p) noexcept {
    return p >> 24;
}

constexpr Pixel Bgra(std::uint32_t b, std::uint32_t g, std::uint32_t r, std::uint32_t a) noexcept {
    return b | (g << 8) | (r << 16) | (a << 24);
}

// x / 255 rounded to nearest, exact for 0 <= x <= 255 * 255.
constexpr std::uint32_t Div255(std::uint32_t x) noexcept {
    x += 128;
    return (x + (x >> 8)) >> 8;
}

// The premultiplied pixel of a colour seen through an alpha.
constexpr Pixel Premultiply(Rgb c, std::uint32_t alpha) noexcept {
    return Bgra(Div255(c.b * alpha), Div255(c.g * alpha), Div255(c.r * alpha), alpha);
}

// Every channel of a pixel scaled by s / 255.
constexpr Pixel Scale(Pixel p, std::uint32_t s) noexcept {
    return Bgra(Div255(BlueOf(p) * s), Div255(GreenOf(p) * s), Div255(RedOf(p) * s),
                Div255(AlphaOf(p) * s));
}

// Premultiplied source-over: s + d * (1 - alpha of s).
constexpr Pixel Over(Pixel s, Pixel d) noexcept {
    const std::uint32_t keep = 255 - AlphaOf(s);
    return Bgra(BlueOf(s) + Div255(BlueOf(d) * keep), GreenOf(s) + Div255(GreenOf(d) * keep),
                RedOf(s) + Div255(RedOf(d) * keep), AlphaOf(s) + Div255(AlphaOf(d) * keep));
}

// Premultiplied source-atop: s laid over d only where d is, d's alpha kept.
constexpr Pixel Atop(Pixel s, Pixel d) noexcept {
    const std::uint32_t a = AlphaOf(d), keep = 255 - AlphaOf(s);
    auto ch = [a, keep](std::uint32_t sc, std::uint32_t dc) {
        const std::uint32_t c = Div255(sc * a) + Div255(dc * keep);
        return c < a ? c : a;
    };
    return Bgra(ch(BlueOf(s), BlueOf(d)), ch(GreenOf(s), GreenOf(d)), ch(RedOf(s), RedOf(d)), a);
}

// The straight colour of a pixel (black where it is transparent).
constexpr Rgb Unpremultiply(Pixel p) noexcept {
    const std::uint32_t a = AlphaOf(p);
    if (a == 0) return {};
    auto ch = [a](std::uint32_t c) { return std::uint8_t((c * 255 + a / 2) / a); };
    return {ch(RedOf(p)), ch(GreenOf(p)), ch(BlueOf(p))};
}

} // namespace pkw::fx
