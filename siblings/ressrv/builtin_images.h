// The built-in images of the resource library PKW40Res.dll, which sits
// beside this DLL and is loaded as data (it holds no code).
#pragma once

#include "siblings/gfx/dib_surface.h"

namespace pkw::sib::res {

// The bitmap resource id, drawn into a new surface; an invalid surface when
// the library or the image is missing or malformed.
DibSurface LoadBuiltinImage(LONG resId);

} // namespace pkw::sib::res
