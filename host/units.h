// Screen units of the container: pixels on the form, twips for the
// extender, HIMETRIC for IOleObject::SetExtent.
#pragma once

#include <windows.h>

namespace pkw::host::units {

// The screen's pixels per logical inch (LOGPIXELSX / LOGPIXELSY).
int dpiX();
int dpiY();

// Exact ratios rounded to the nearest whole unit.
LONG pixelsToTwipsX(LONG px);
LONG pixelsToTwipsY(LONG px);
LONG twipsToPixelsX(LONG twips);
LONG twipsToPixelsY(LONG twips);
LONG pixelsToHimetricX(LONG px);
LONG pixelsToHimetricY(LONG px);
LONG himetricToPixelsX(LONG himetric);
LONG himetricToPixelsY(LONG himetric);
SIZEL pixelsToHimetric(SIZE px);

} // namespace pkw::host::units
