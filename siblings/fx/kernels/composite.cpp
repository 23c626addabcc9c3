#include "composite.h"

namespace pkw::fx {

// Byte by byte, so that the compiler can vectorise it.
void OverRow(const Pixel* src, Pixel* dst, int n) noexcept {
    const auto* __restrict s = reinterpret_cast<const std::uint8_t*>(src);
    auto* __restrict d = reinterpret_cast<std::uint8_t*>(dst);
    for (int i = 0; i < 4 * n; i += 4) {
        const std::uint32_t keep = 255u - s[i + 3];
        for (int c = 0; c < 4; ++c)
            d[i + c] = std::uint8_t(s[i + c] + Div255(d[i + c] * keep));
    }
}

void Paste(View dst, ConstView src, int x, int y) noexcept {
    const Overlap o = OverlapAt(dst, src, x, y);
    for (int row = 0; row < o.dst.height; ++row)
        OverRow(o.src.Row(row), o.dst.Row(row), o.dst.width);
}

void Mask(View pattern, ConstView mask) noexcept {
    for (int y = 0; y < pattern.height; ++y) {
        Pixel* p = pattern.Row(y);
        const Pixel* m = mask.Row(y);
        for (int x = 0; x < pattern.width; ++x)
            p[x] = Scale(p[x], AlphaOf(m[x]));
    }
}

} // namespace pkw::fx
