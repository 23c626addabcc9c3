#include "common/effects/body_geometry.h"

#include "common/effects/rounding.h"

namespace pkw::effects {

std::uint32_t KeyColour(std::uint32_t borderRgb) noexcept {
    std::uint32_t key = 0;
    for (int shift = 0; shift < 24; shift += 8) {
        const std::uint32_t component = ((borderRgb >> shift) + 1) & 0xFF;
        key |= component << shift;
    }
    return key;
}

std::optional<Point> GlyphPosition(int alignment, int allowance, int bodyWidth, int bodyHeight,
                                   int glyphWidth, int glyphHeight) noexcept {
    const int y = Half(bodyHeight) - Half(glyphHeight);
    if (alignment == 0) return Point{allowance, y};
    if (alignment == 1) return Point{bodyWidth - allowance - glyphWidth, y};
    return std::nullopt;
}

long PicturePixels(long himetric, int twipsPerPixel) noexcept {
    if (twipsPerPixel <= 0) return 0;
    return RoundHalfEven(static_cast<double>(himetric) * 0.5669292 / twipsPerPixel);
}

} // namespace pkw::effects
