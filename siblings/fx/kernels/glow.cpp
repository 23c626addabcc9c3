#include "glow.h"

#include "blur.h"
#include "composite.h"

#include <algorithm>

namespace pkw::fx {

int GlowMargin(int blur) noexcept {
    return BlurSupport(BlurRadius(blur));
}

void Glow(View view, const GlowSettings& s, Scratch& scratch) {
    if (s.intensity <= 0 || view.Empty()) return;
    Scratch::Frame frame(scratch);
    const View halo =
        BlurredCopy(view, 0, 0, view.width, view.height, BlurRadius(s.blur), frame, scratch);
    // The halo's pixel for each blurred alpha, then the layer over it.
    const auto gain = std::uint32_t(std::min(s.intensity, 255));
    Pixel tint[256];
    for (std::uint32_t a = 0; a < 256; ++a)
        tint[a] = Premultiply(s.colour, std::min(a * gain, 255u));
    for (int y = 0; y < view.height; ++y) {
        Pixel* glow = halo.Row(y);
        for (int x = 0; x < view.width; ++x)
            glow[x] = tint[AlphaOf(glow[x])];
        OverRow(view.Row(y), glow, view.width);
        std::copy_n(glow, view.width, view.Row(y));
    }
}

} // namespace pkw::fx
