// Glow: a halo of one colour around the layer's shape, from its blurred
// alpha, laid under the layer. `blur` is a blur amount (blur.h; the default
// 125 is radius 7.9) and `intensity` multiplies the blurred alpha (the
// default 5 makes the halo nearly solid next to a caption's strokes and
// lets it fade out over the blur's reach). The layer needs GlowMargin
// pixels of room around its shape for the halo to show whole.
#pragma once

#include "layer.h"

namespace pkw::fx {

struct GlowSettings {
    Rgb colour;
    int blur = 125;
    int intensity = 5;
};

int GlowMargin(int blur) noexcept;

void Glow(View view, const GlowSettings& settings, Scratch& scratch);

} // namespace pkw::fx
