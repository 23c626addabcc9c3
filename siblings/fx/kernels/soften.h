// Softening: the layer laid over its own 3 × 3 smoothing ([1 2 1] each
// way). Unlike a blur it only ever reaches the nearest neighbours: it takes
// the hard steps off edges and single pixels without spreading the picture.
// The amount is a percentage of the smoothing (100 and above: all of it).
#pragma once

#include "layer.h"

namespace pkw::fx {

void Soften(View view, int amount, Scratch& scratch);

} // namespace pkw::fx
