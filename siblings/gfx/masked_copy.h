// Copying a rectangle of one DC to another, optionally leaving out the
// pixels of a mask colour.
#pragma once

#include <windows.h>

#include <optional>

namespace pkw::sib::gfx {

// The mask colour argument of the exports: -1 means no mask colour (the copy
// is opaque); any other value with the top bit set names a system colour;
// otherwise its low 24 bits are the RGB value.
std::optional<COLORREF> MaskFromArgument(LONG maskColor);

// Copies src of hdcSrc onto dst of hdc, scaled without blending when the
// sizes differ (so that mask pixels stay exact), without the mask pixels.
bool MaskedCopy(HDC hdc, const RECT& dst, HDC hdcSrc, const RECT& src,
                std::optional<COLORREF> mask);

} // namespace pkw::sib::gfx
