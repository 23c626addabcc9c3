// Small separable convolutions (a kernel of up to kMaxTaps taps applied down
// the columns, then along the rows), the direct path of the blur and the
// base of softening. Pixels outside the view count as transparent.
#pragma once

#include "layer.h"
#include "rows.h"

#include <cstdint>

namespace pkw::fx {

struct Kernel {
    int half = 0;                        // taps = 2 * half + 1
    std::uint16_t weight[kMaxTaps] = {}; // adding up to 256
};

inline constexpr int kMaxKernelHalf = (kMaxTaps - 1) / 2;

// A Gaussian sampled at whole pixels out to 3 sigma (at most
// kMaxKernelHalf each way), its weights rounded to add up to exactly 256.
Kernel GaussianKernel(float sigma) noexcept;

void Convolve(View view, const Kernel& kernel, Scratch& scratch);

} // namespace pkw::fx
