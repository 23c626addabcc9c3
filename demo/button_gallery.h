// The push button's gallery: both skins in every frame they show (normal,
// focused, hot, pressed, space held, disabled with engraved and with
// coloured text), with and without a picture, and the transparent style
// over a patterned parent, written as one image.
#pragma once

#include <string>

namespace pkw::demo {

// Writes the gallery to `path` (PNG); "" when done, else what went wrong.
std::wstring WriteButtonGallery(const std::wstring& path);

} // namespace pkw::demo
