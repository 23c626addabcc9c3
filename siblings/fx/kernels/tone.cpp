#include "tone.h"

#include <cstdlib>

namespace pkw::fx {
namespace {

template <class Op>
void ForEach(View view, Op op) noexcept {
    for (int y = 0; y < view.height; ++y) {
        Pixel* p = view.Row(y);
        for (int x = 0; x < view.width; ++x)
            p[x] = op(p[x]);
    }
}

} // namespace

void ScaleAlpha(View view, std::uint8_t alpha) noexcept {
    if (alpha == 255) return;
    ForEach(view, [alpha](Pixel p) { return Scale(p, alpha); });
}

void Invert(View view, Rgb colour, std::uint8_t alpha) noexcept {
    ForEach(view, [colour, alpha](Pixel p) {
        const std::uint32_t a = AlphaOf(p);
        // |k - c| * a = |k * a - c * a|: inverted in premultiplied terms.
        auto inverted = [a](std::uint32_t k, std::uint32_t c) {
            return std::uint32_t(std::abs(int(Div255(k * a)) - int(c)));
        };
        const Pixel inv = Bgra(inverted(colour.b, BlueOf(p)), inverted(colour.g, GreenOf(p)),
                               inverted(colour.r, RedOf(p)), a);
        auto mix = [alpha](std::uint32_t from, std::uint32_t to) {
            return Div255(from * (255u - alpha) + to * alpha);
        };
        return Bgra(mix(BlueOf(p), BlueOf(inv)), mix(GreenOf(p), GreenOf(inv)),
                    mix(RedOf(p), RedOf(inv)), a);
    });
}

void KeyOut(View view, Rgb key) noexcept {
    const Pixel k = Bgra(key.b, key.g, key.r, 0);
    ForEach(view, [k](Pixel p) { return (p & 0xFFFFFF) == k ? 0 : p | 0xFF000000; });
}

void SetAlpha(View view, std::uint8_t alpha, AlphaTarget target) noexcept {
    ForEach(view, [alpha, target](Pixel p) {
        const bool visible = AlphaOf(p) != 0;
        if ((target == AlphaTarget::Transparent && visible) ||
            (target == AlphaTarget::Visible && !visible))
            return p;
        return Premultiply(Unpremultiply(p), alpha);
    });
}

void MakeOpaque(View view) noexcept {
    ForEach(view, [](Pixel p) { return p | 0xFF000000; });
}

} // namespace pkw::fx
