// The glyph strips of the selection controls and their toolbox images.
//
// Check box, 13 x 156: twelve 13 x 13 frames top to bottom, value (unchecked,
// checked, grayed) times 4 plus look (normal, hot, pressed, disabled).
// Option button, 13 x 104: eight frames, value (unselected, selected) times 4
// plus look. Toolbox images: 16 x 15, opaque on the face colour.
#pragma once

#include "image.h"

namespace pkw::images {

inline constexpr int kGlyphSize = 13;

Image DrawCheckBoxStrip();
Image DrawOptionStrip();
Image DrawCheckBoxToolboxImage();
Image DrawOptionToolboxImage();

} // namespace pkw::images
