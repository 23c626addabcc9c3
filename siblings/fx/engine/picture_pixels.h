// A picture object (IPicture: a bitmap, an icon, a metafile) drawn into a
// layer, for textures and images.
#pragma once

#include "siblings/fx/kernels/effects_layer.h"

#include <unknwn.h>
#include <windows.h>

namespace pkw::fx {

// The picture at width × height pixels, or at its own size on the screen
// when either is 0 or less; opaque. E_INVALIDARG for an object that is no
// picture or has no size.
HRESULT LoadFromPicture(IUnknown* picture, int width, int height, EffectsLayer& layer);

} // namespace pkw::fx
