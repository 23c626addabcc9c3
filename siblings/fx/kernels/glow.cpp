#include "glow.h"

#include "blur.h"

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
    const auto gain = std::uint32_t(std::min(s.intensity, 255));
    for (int y = 0; y < view.height; ++y) {
        Pixel* row = view.Row(y);
        const Pixel* glow = halo.Row(y);
        for (int x = 0; x < view.width; ++x) {
            const std::uint32_t a = std::min<std::uint32_t>(AlphaOf(glow[x]) * gain, 255);
            if (a != 0) row[x] = Over(row[x], Premultiply(s.colour, a));
        }
    }
}

} // namespace pkw::fx
