// The drawing library's pixel surface: the shared 32-bit top-down DIB
// section, and the conversions between its pixels and COLORREF values.
#pragma once

#include "common/win/dib_section.h"

#include <cstdint>

namespace pkw::sib {

using DibSurface = pkw::DibSection;

// Pixels of a DIB are 0x00RRGGBB; COLORREF values are 0x00BBGGRR.
constexpr std::uint32_t PixelFromColorRef(COLORREF c) {
    return (GetRValue(c) << 16) | (GetGValue(c) << 8) | GetBValue(c);
}
constexpr COLORREF ColorRefFromPixel(std::uint32_t p) {
    return RGB((p >> 16) & 0xFF, (p >> 8) & 0xFF, p & 0xFF);
}

} // namespace pkw::sib
