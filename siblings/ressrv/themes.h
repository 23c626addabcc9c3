// Colour schemes of the push-button images: the variant argument of
// GetStaticResDc (the button's NuTheme) recolours the accent of the image.
#pragma once

#include "siblings/gfx/dib_surface.h"

namespace pkw::sib::res {

// Whether the image takes colour schemes at all (the push-button strips).
bool TakesThemes(LONG resId);

// The scheme a variant selects; an unknown variant selects scheme 0.
LONG NormalizeTheme(LONG variant);

// Recolours every pixel but the mask colour's; scheme 0 leaves the image as
// it is drawn.
void ApplyTheme(const DibSurface& surface, LONG theme);

} // namespace pkw::sib::res
