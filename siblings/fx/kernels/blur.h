// Gaussian-looking blur whose cost does not depend on its radius.
//
// Amounts. The blur settings (Blur, BodyBlur, TextBlur, TextGlowBlur, …) are
// 16-bit amounts; a blur of amount a has the radius sqrt(a / 2) pixels:
//     amount     8 → radius 2       amount   200 → radius 10
//     amount   125 → radius 7.9     (the glow's default: a soft halo that
//                                    reaches about one text height around
//                                    8 to 12 point text)
//     amount  3200 → radius 40      amount 31250 → radius 125
// The square root keeps small amounts gentle (amount 1 barely softens,
// amount 20 softens a caption) and still reaches large radii within 16 bits.
//
// Look. A blur of radius R looks like a Gaussian of sigma R / 2. Up to
// kDirectRadiusMax it is that Gaussian, sampled, as a direct separable
// convolution; above, three box passes per axis with running sums, sized
// so that their variance matches sigma, which costs the same at any radius.
// Near the layer's edges only the pixels inside count (each pass takes the
// mean of the part of its window that lies inside), so a layer filled to
// its edges stays filled there. Content spreads BlurSupport(R) pixels at
// most: shadows and glows give it that much transparent room. The working
// precision is 8 bits per channel between passes, rounded to nearest,
// which leaves uniform areas exactly as they were.
#pragma once

#include "layer.h"

namespace pkw::fx {

inline constexpr float kDirectRadiusMax = 5.0f;
inline constexpr float kMaxBlurRadius = 240.0f; // larger radii blur as this one

float BlurRadius(int amount) noexcept;

int BlurSupport(float radius) noexcept;

void Blur(View view, float radius, Scratch& scratch);

// A blurred copy of src, placed at (x, y) on a transparent image of
// width × height taken from `frame` (a frame of `scratch`): what shadows,
// glows and embossing read the blurred alpha from.
View BlurredCopy(ConstView src, int x, int y, int width, int height, float radius,
                 Scratch::Frame& frame, Scratch& scratch);

} // namespace pkw::fx
