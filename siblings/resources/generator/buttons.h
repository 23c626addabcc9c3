// The push-button skin strips, drawn to be cut by their map margins and
// stretched: every row of a side margin and every column of the top and
// bottom margins repeat unchanged along the middle.
//
// Style 1 (resource 1100): 18 x 168, eight 18 x 21 frames, margins 8, 9, 8, 9.
//   0 normal, 1 hot, 2 focused, 3 disabled, 4 hot and focused, 5 default,
//   6 pressed, 7 pressed and focused.
// Style 2 (resource 1496): 20 x 138, six 20 x 23 frames, margins 4, 4, 4, 4,
//   a soft vertical gradient. 0 normal, 1 hot, 2 pressed, 3 disabled,
//   4 focused, 5 default.
#pragma once

#include "image.h"

namespace pkw::images {

Image DrawButtonStrip1();
Image DrawButtonStrip2();

} // namespace pkw::images
