// Shadows cast by a layer's shape, from its blurred alpha.
//
// `intensity` is how far a shadow spreads: it is blurred with the radius
// intensity / 15 pixels (the default 45: radius 3, a soft edge of about
// three pixels at control sizes; 0: a hard shadow). `alpha` is the darkness
// of the shadow's fully covered parts; `dx` and `dy` move it right and down.
#pragma once

#include "layer.h"

namespace pkw::fx {

struct ShadowSettings {
    int dx = 0;
    int dy = 0;
    Rgb colour;
    std::uint8_t alpha = 127;
    int intensity = 45;
};

float ShadowRadius(int intensity) noexcept;

// Where a layer sits inside the larger layer that its drop shadow makes
// (offset), and by how much that layer is larger (extra): enough to hold
// the layer and the shadow of its visible pixels, found from their bounds.
struct ShadowGeometry {
    int offsetX = 0;
    int offsetY = 0;
    int extraWidth = 0;
    int extraHeight = 0;
};
ShadowGeometry DropShadowGeometry(ConstView src, const ShadowSettings& settings) noexcept;

// The shadow of src on dst, with src laid over it at the geometry's offset.
// dst is (width + extraWidth) × (height + extraHeight); scratch is sized
// for dst.
void DropShadow(ConstView src, View dst, const ShadowSettings& settings, Scratch& scratch);

// A shadow inside the shape, as if the shape were cut out of a surface lit
// from the side opposite (dx, dy): it darkens the shape along its edges on
// the side the offset points away from. The alpha does not change.
void InnerShadow(View view, const ShadowSettings& settings, Scratch& scratch);

} // namespace pkw::fx
