// The product panel that the About page and the about box both show: the
// background image, the product name, and the version, maker and web
// address lines.
#pragma once

#include "activex/units.h"

#include <windows.h>

namespace pkw::pages {

// Draws the whole panel into `hdc`, whose drawing area is `area` pixels
// from (0, 0); the maker line ends with `year`.
void DrawProductPanel(HDC hdc, SIZE area, ax::units::TwipsPerPixel tpp, int year) noexcept;

// This year by the local clock: the panel reads it at every paint.
int CurrentYear() noexcept;

} // namespace pkw::pages
