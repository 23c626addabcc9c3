// The images of the about page and box.
//
// Background (resource 1013), 350 x 230, opaque: an accent header band with
// the family's emblem (a check box and an option button), a light body where
// the page writes the product name (about 110 pixels down, centred).
// Close button (resource 2000), 230 x 25: three 76 x 25 frames at x 0, 77
// and 154 (normal, hot, pressed), opaque on the face colour; the two columns
// between frames are never shown and hold the mask colour.
#pragma once

#include "image.h"

namespace pkw::images {

inline constexpr int kCloseFrameWidth = 76;
inline constexpr int kCloseFrameStride = 77;

Image DrawAboutBackground();
Image DrawCloseButtonStrip();

} // namespace pkw::images
