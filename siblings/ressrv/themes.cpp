#include "siblings/ressrv/themes.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace pkw::sib::res {
namespace {

struct Theme {
    float hueShift;   // degrees added to the hue
    float saturation; // factor on the saturation
};

// 0 as drawn (blue accent), 1 graphite, 2 green, 3 amber.
constexpr std::array<Theme, 4> kThemes{{
    {0.0f, 1.0f},
    {0.0f, 0.0f},
    {-68.0f, 0.9f},
    {178.0f, 1.0f},
}};

constexpr std::uint32_t kMaskPixel = 0xFF00FF;

struct Hsl {
    float h, s, l;
};

Hsl ToHsl(float r, float g, float b) {
    const float hi = std::max({r, g, b}), lo = std::min({r, g, b});
    const float l = (hi + lo) / 2;
    if (hi == lo) return {0, 0, l};
    const float d = hi - lo;
    const float s = l > 0.5f ? d / (2 - hi - lo) : d / (hi + lo);
    float h = hi == r ? (g - b) / d + (g < b ? 6 : 0) : hi == g ? (b - r) / d + 2 : (r - g) / d + 4;
    return {h * 60, s, l};
}

float HueChannel(float p, float q, float t) {
    t -= std::floor(t);
    if (t < 1.0f / 6) return p + (q - p) * 6 * t;
    if (t < 0.5f) return q;
    if (t < 2.0f / 3) return p + (q - p) * (2.0f / 3 - t) * 6;
    return p;
}

std::uint32_t FromHsl(Hsl c) {
    float r = c.l, g = c.l, b = c.l;
    if (c.s > 0) {
        const float q = c.l < 0.5f ? c.l * (1 + c.s) : c.l + c.s - c.l * c.s;
        const float p = 2 * c.l - q;
        const float h = c.h / 360;
        r = HueChannel(p, q, h + 1.0f / 3);
        g = HueChannel(p, q, h);
        b = HueChannel(p, q, h - 1.0f / 3);
    }
    const auto byte = [](float v) {
        return std::uint32_t(std::lround(std::clamp(v, 0.0f, 1.0f) * 255));
    };
    return (byte(r) << 16) | (byte(g) << 8) | byte(b);
}

} // namespace

bool TakesThemes(LONG resId) {
    return resId == 1100 || resId == 1496;
}

LONG NormalizeTheme(LONG variant) {
    return variant >= 0 && variant < LONG(kThemes.size()) ? variant : 0;
}

void ApplyTheme(const DibSurface& surface, LONG theme) {
    theme = NormalizeTheme(theme);
    if (theme == 0 || !surface.valid()) return;
    const Theme& t = kThemes[std::size_t(theme)];
    ::GdiFlush();
    std::uint32_t* p = surface.pixels();
    for (int i = 0, n = surface.width() * surface.height(); i < n; ++i) {
        const std::uint32_t px = p[i] & 0xFFFFFF;
        if (px == kMaskPixel) continue;
        Hsl c = ToHsl(float(px >> 16) / 255, float((px >> 8) & 0xFF) / 255, float(px & 0xFF) / 255);
        c.h = std::fmod(c.h + t.hueShift + 360.0f, 360.0f);
        c.s *= t.saturation;
        p[i] = FromHsl(c);
    }
}

} // namespace pkw::sib::res
