// The drawing library's pixel surface: the shared 32-bit top-down DIB
// section, and the conversions between its pixels and COLORREF values.
#pragma once

#include "common/win/dib_section.h"

#include <cstdint>

namespace pkw::sib {

using DibSurface = pkw::DibSection;

using pkw::ColorRefFromPixel;
using pkw::PixelFromColorRef;

} // namespace pkw::sib
