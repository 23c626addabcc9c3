// Putting layers together, premultiplied.
#pragma once

#include "layer.h"

namespace pkw::fx {

// src over dst, with src's top-left corner at (x, y) of dst; what falls
// outside dst is dropped.
void Paste(View dst, ConstView src, int x, int y) noexcept;

// src over dst for n pixels in a row.
void OverRow(const Pixel* src, Pixel* dst, int n) noexcept;

// Keeps of `pattern` only what lies inside `mask` (same size): every pixel
// scaled by the mask's alpha. Gradient and texture text take their colours
// this way.
void Mask(View pattern, ConstView mask) noexcept;

} // namespace pkw::fx
