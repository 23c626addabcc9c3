// Edge detection: each channel replaced by the strength of its edges (a
// Sobel gradient, scaled so that a step from 0 to 255 gives 255), on the
// premultiplied pixels, the alpha becoming the strongest of the four. A
// shape turns into its outline in its own colour; flat areas, inside or
// outside it, become transparent.
#pragma once

#include "layer.h"

namespace pkw::fx {

void DetectEdges(View view, Scratch& scratch);

} // namespace pkw::fx
