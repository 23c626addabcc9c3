// What the about box shows: the product panel and the close button's
// frame for its state.
#pragma once

#include "activex/units.h"
#include "pages/close_button.h"

#include <windows.h>

namespace pkw::pages {

void DrawAboutBox(HDC hdc, SIZE client, ax::units::TwipsPerPixel tpp, CloseButtonState button,
                  int year) noexcept;

} // namespace pkw::pages
