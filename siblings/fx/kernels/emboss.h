// Embossing: the layer's alpha is read as a height map and lit from one
// side; the slopes facing the light take the highlight colour, the others
// the shadow colour, laid over the layer. The slopes reach just past the
// shape's edges, so a thin stroke gets a lit rim on one side and a shaded
// one on the other, and a shape that fills the layer a bevel inside it.
//
// The relief rises `depth` pixels over its slopes, and the light falls at
// 45 degrees of elevation from the direction `angle` (degrees, counter-
// clockwise from the right: 45 is the upper right). `softness` rounds the
// slopes: the height map is blurred with the radius 0.5 + softness / 100
// pixels (the default 100: radius 1.5, slopes about a pixel wide).
#pragma once

#include "layer.h"

namespace pkw::fx {

struct EmbossSettings {
    int depth = 2;
    float angle = 45.0f;
    int softness = 100;
    Rgb shadow;
    std::uint8_t shadowAlpha = 255;
    Rgb highlight;
    std::uint8_t highlightAlpha = 255;
};

void Emboss(View view, const EmbossSettings& settings, Scratch& scratch);

} // namespace pkw::fx
