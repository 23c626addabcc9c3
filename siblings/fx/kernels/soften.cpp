#include "soften.h"

#include "separable.h"

#include <algorithm>

namespace pkw::fx {

void Soften(View view, int amount, Scratch& scratch) {
    if (amount <= 0 || view.Empty()) return;
    const std::uint32_t t = std::uint32_t(std::min(amount, 100)) * 256 / 100;
    Scratch::Frame frame(scratch);
    const View smooth{frame.Take<Pixel>(std::size_t(view.width) * view.height).data(), view.width,
                      view.height, view.width};
    Copy(view, smooth);
    constexpr Kernel kBinomial{1, {64, 128, 64}};
    Convolve(smooth, kBinomial, scratch);
    // A per-channel mix of two premultiplied pixels stays premultiplied.
    for (int y = 0; y < view.height; ++y) {
        auto* d = reinterpret_cast<std::uint8_t*>(view.Row(y));
        const auto* s = reinterpret_cast<const std::uint8_t*>(smooth.Row(y));
        for (int i = 0; i < view.width * 4; ++i)
            d[i] = std::uint8_t((d[i] * (256 - t) + s[i] * t + 128) >> 8);
    }
}

} // namespace pkw::fx
