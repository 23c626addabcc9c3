#include "composite.h"

namespace pkw::fx {

void Paste(View dst, ConstView src, int x, int y) noexcept {
    const Overlap o = OverlapAt(dst, src, x, y);
    for (int row = 0; row < o.dst.height; ++row) {
        Pixel* d = o.dst.Row(row);
        const Pixel* s = o.src.Row(row);
        for (int i = 0; i < o.dst.width; ++i) {
            const std::uint32_t a = AlphaOf(s[i]);
            if (a == 255)
                d[i] = s[i];
            else if (a != 0)
                d[i] = Over(s[i], d[i]);
        }
    }
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
