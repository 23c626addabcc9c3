// Conversions between the container's units (HIMETRIC in OLE calls, twips
// in the control's API) and the window's pixels.
#pragma once

#include <windows.h>

namespace pkw::ax::units {

struct TwipsPerPixel {
    short x;
    short y;
};

// The screen's twips per pixel, rounded to whole numbers (15 at 96 dpi).
TwipsPerPixel screenTwipsPerPixel() noexcept;

// 1 inch = 1440 twips = 2540 HIMETRIC; both rounded to the nearest unit.
LONG himetricFromTwips(LONG twips) noexcept;
LONG twipsFromHimetric(LONG himetric) noexcept;

// Pixels are whole twips divided by twips per pixel (integer division).
LONG pixelsFromTwips(LONG twips, short twipsPerPixel) noexcept;
// A mouse position in whole twips: the twips at the centre of its pixel,
// so a pixel counts as inside a twips rectangle when most of it lies in it.
LONG twipsAtPixel(LONG pixel, short twipsPerPixel) noexcept;
SIZE pixelsFromHimetric(const SIZEL& himetric, TwipsPerPixel tpp) noexcept;
SIZEL himetricFromPixels(SIZE pixels, TwipsPerPixel tpp) noexcept;

} // namespace pkw::ax::units
