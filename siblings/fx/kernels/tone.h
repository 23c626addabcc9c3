// Operations on each pixel by itself: whole-layer transparency, inversion
// and keying out a transparent colour.
#pragma once

#include "layer.h"

namespace pkw::fx {

// Every pixel seen through alpha (0 to 255): SetLayerAlpha.
void ScaleAlpha(View view, std::uint8_t alpha) noexcept;

// Inversion against a colour: each channel c becomes |colour - c| (against
// white, the usual 255 - c), and the inverted colours are laid over the
// originals with `alpha` (255: inverted outright). Transparency stays.
void Invert(View view, Rgb colour, std::uint8_t alpha) noexcept;

// A layer taken from a device context holds opaque colours and no alpha:
// pixels of the key colour become transparent (all zero, so nothing of the
// key colour can bleed into a later blur or shadow), every other pixel
// opaque.
void KeyOut(View view, Rgb key) noexcept;

// Which pixels SetAlpha gives the new alpha.
enum class AlphaTarget { All, Transparent, Visible };

// The chosen pixels take `alpha` and keep their colour (a transparent pixel
// has none left: it becomes black).
void SetAlpha(View view, std::uint8_t alpha, AlphaTarget target) noexcept;

// Every pixel made opaque as it stands (a layer from a DC without a key).
void MakeOpaque(View view) noexcept;

} // namespace pkw::fx
