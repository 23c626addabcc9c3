// The effects look's gallery: check boxes and option buttons drawn by the
// effects engine (gradient, texture and embossed bodies; glowing,
// inner-shadowed, gradient and texture captions; drop shadow, transparency
// over a patterned parent, a turned control) in each visual state (normal,
// hot, pressed, disabled), written as one image.
#pragma once

#include <string>

namespace pkw::demo {

// Writes the gallery to `path` (PNG); "" when done, else what went wrong.
std::wstring WriteEffectsGallery(const std::wstring& path);

} // namespace pkw::demo
