// A picture's size on the screen in pixels, as every effects drawing takes
// it: its HiMetric extent through the screen's whole twips per pixel.
#pragma once

#include <windows.h>

#include <ocidl.h>

#include <optional>

namespace pkw::globals {

// None when the picture has no extent or it is empty on the screen.
std::optional<SIZE> tipPictureSize(IPicture* picture);

} // namespace pkw::globals
