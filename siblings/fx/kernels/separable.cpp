#include "separable.h"

#include <algorithm>
#include <cmath>
#include <cstring>

namespace pkw::fx {
namespace {

// Weights proportional to `exact` (taps of them) in whole numbers adding up
// to 256: rounded down, then the largest remainders take what is left.
void Quantise(const double* exact, int taps, std::uint16_t* weight) noexcept {
    double total = 0;
    for (int i = 0; i < taps; ++i)
        total += exact[i];
    int given = 0;
    double remainder[kMaxTaps];
    for (int i = 0; i < taps; ++i) {
        const double w = exact[i] / total * 256.0;
        weight[i] = std::uint16_t(w);
        remainder[i] = w - weight[i];
        given += weight[i];
    }
    for (; given < 256; ++given) {
        const int i = int(std::max_element(remainder, remainder + taps) - remainder);
        ++weight[i];
        remainder[i] = -1;
    }
}

// The kernel with only taps first to last (inclusive) inside the layer:
// the others weigh nothing and the rest share the whole weight.
Kernel Clipped(const Kernel& k, int first, int last) noexcept {
    Kernel c = k;
    double exact[kMaxTaps] = {};
    for (int t = first; t <= last; ++t)
        exact[t - first] = k.weight[t];
    std::fill_n(c.weight, kMaxTaps, std::uint16_t(0));
    Quantise(exact, last - first + 1, c.weight + first);
    return c;
}

} // namespace

Kernel GaussianKernel(float sigma) noexcept {
    Kernel k;
    k.half = std::clamp(int(std::ceil(3.0f * sigma)), 1, kMaxKernelHalf);
    const int taps = 2 * k.half + 1;
    double exact[kMaxTaps];
    const double s = std::max(double(sigma), 1e-3);
    for (int i = 0; i < taps; ++i) {
        const double x = i - k.half;
        exact[i] = std::exp(-x * x / (2 * s * s));
    }
    Quantise(exact, taps, k.weight);
    return k;
}

// Near the edges only the taps inside the layer count (their weights
// scaled up to the whole), as in the box passes of the blur.
void Convolve(View view, const Kernel& kernel, Scratch& scratch) {
    if (view.Empty()) return;
    const int half = kernel.half, taps = 2 * half + 1;
    const RowOps& ops = Rows();
    const int w = view.width, h = view.height;
    const std::size_t bytes = std::size_t(w) * 4, pad = std::size_t(half) * 4;
    Scratch::Frame frame(scratch);
    auto down = frame.Take<Pixel>(std::size_t(w) * h);
    auto zero = frame.Take<std::uint8_t>(bytes + 2 * pad);
    std::fill(zero.begin(), zero.end(), std::uint8_t(0));
    auto* v = reinterpret_cast<std::uint8_t*>(view.pixels);
    auto* d = reinterpret_cast<std::uint8_t*>(down.data());
    const std::ptrdiff_t vstride = view.stride * 4;

    // Down the columns into `down`.
    const std::uint8_t* rows[kMaxTaps];
    for (int y = 0; y < h; ++y) {
        const int first = std::max(0, half - y), last = std::min(taps - 1, h - 1 - y + half);
        for (int t = 0; t < taps; ++t)
            rows[t] = t >= first && t <= last ? v + (y + t - half) * vstride : zero.data();
        const bool inside = first == 0 && last == taps - 1;
        ops.convolve(rows, inside ? kernel.weight : Clipped(kernel, first, last).weight, taps,
                     d + y * bytes, bytes);
    }
    // Along each row back into the view, through a line padded with zeros
    // (`zero` serves: its ends stay zero); the columns near the ends again
    // with the clipped kernels.
    std::uint8_t* line = zero.data();
    for (int t = 0; t < taps; ++t)
        rows[t] = line + t * 4;
    Kernel ends[2 * kMaxKernelHalf];
    const int edge = std::min(half, w);
    for (int x = 0; x < edge; ++x) {
        ends[2 * x] = Clipped(kernel, half - x, std::min(taps - 1, w - 1 - x + half));
        const int xr = w - 1 - x;
        ends[2 * x + 1] = Clipped(kernel, std::max(0, half - xr), half + x);
    }
    for (int y = 0; y < h; ++y) {
        std::memcpy(line + pad, d + y * bytes, bytes);
        std::uint8_t* out = v + y * vstride;
        ops.convolve(rows, kernel.weight, taps, out, bytes);
        for (int x = 0; x < edge; ++x)
            for (int side = 0; side < 2; ++side) {
                const int px = side == 0 ? x : w - 1 - x;
                const std::uint16_t* wt = ends[2 * x + side].weight;
                for (int c = 0; c < 4; ++c) {
                    unsigned sum = 128;
                    for (int t = 0; t < taps; ++t)
                        sum += wt[t] * line[(px + t) * 4 + c];
                    out[px * 4 + c] = std::uint8_t(sum >> 8);
                }
            }
    }
}

} // namespace pkw::fx
