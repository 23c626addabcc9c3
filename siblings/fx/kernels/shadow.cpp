#include "shadow.h"

#include "blur.h"
#include "composite.h"

#include <algorithm>

namespace pkw::fx {

float ShadowRadius(int intensity) noexcept {
    return std::max(intensity, 0) / 15.0f;
}

ShadowGeometry DropShadowGeometry(ConstView src, const ShadowSettings& s) noexcept {
    const Bounds ink = InkBounds(src);
    if (ink.Empty()) return {};
    const int spread = BlurSupport(ShadowRadius(s.intensity));
    // The shadow covers [first + d - spread, last + d + spread] on each
    // axis, the layer [0, size); the result holds both.
    auto axis = [spread](int size, int first, int end, int d, int& offset, int& extra) {
        const int low = std::min(0, first + d - spread);
        const int high = std::max(size, end + d + spread);
        offset = -low;
        extra = high - low - size;
    };
    ShadowGeometry g;
    axis(src.width, ink.left, ink.right, s.dx, g.offsetX, g.extraWidth);
    axis(src.height, ink.top, ink.bottom, s.dy, g.offsetY, g.extraHeight);
    return g;
}

void DropShadow(ConstView src, View dst, const ShadowSettings& s, Scratch& scratch) {
    const ShadowGeometry g = DropShadowGeometry(src, s);
    Scratch::Frame frame(scratch);
    const View cast = BlurredCopy(src, g.offsetX + s.dx, g.offsetY + s.dy, dst.width, dst.height,
                                  ShadowRadius(s.intensity), frame, scratch);
    // The shadow's pixel for each blurred alpha.
    Pixel tint[256];
    for (std::uint32_t a = 0; a < 256; ++a)
        tint[a] = Premultiply(s.colour, Div255(a * s.alpha));
    for (int y = 0; y < dst.height; ++y) {
        const Pixel* c = cast.Row(y);
        Pixel* d = dst.Row(y);
        for (int x = 0; x < dst.width; ++x)
            d[x] = tint[AlphaOf(c[x])];
    }
    Paste(dst, src, g.offsetX, g.offsetY);
}

void InnerShadow(View view, const ShadowSettings& s, Scratch& scratch) {
    if (view.Empty()) return;
    Scratch::Frame frame(scratch);
    const View blurred =
        BlurredCopy(view, 0, 0, view.width, view.height, ShadowRadius(s.intensity), frame, scratch);
    // What lies outside the shape casts the shadow: at p it comes from
    // p - (dx, dy), where there is no shape (outside the layer neither).
    for (int y = 0; y < view.height; ++y) {
        Pixel* row = view.Row(y);
        const int sy = y - s.dy;
        for (int x = 0; x < view.width; ++x) {
            if (AlphaOf(row[x]) == 0) continue;
            const int sx = x - s.dx;
            const bool inside = sx >= 0 && sy >= 0 && sx < view.width && sy < view.height;
            const std::uint32_t open = 255 - (inside ? AlphaOf(blurred.At(sx, sy)) : 0);
            const std::uint32_t alpha = Div255(open * s.alpha);
            if (alpha != 0) row[x] = Atop(Premultiply(s.colour, alpha), row[x]);
        }
    }
}

} // namespace pkw::fx
