// The light stripes behind the library's editing pages (Caption, Effects):
// a line on every even pixel row over the face colour.
#pragma once

#include <windows.h>

namespace pkw::pages {

inline constexpr COLORREF kStripeColor = RGB(240, 241, 255);

// Paints the whole `client` area of `hdc`.
void DrawStripedBackground(HDC hdc, SIZE client) noexcept;

} // namespace pkw::pages
