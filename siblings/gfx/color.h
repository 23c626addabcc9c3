// OLE_COLOR to RGB.
#pragma once

#include <windows.h>
#include <ocidl.h>

namespace pkw::sib::gfx {

// Top bit set: system colour by its index in the low byte (0 for an index
// that names none). High byte 1: an entry of the palette (or of the default
// palette without one). Otherwise the low 24 bits are the RGB value.
COLORREF TranslateOleColor(OLE_COLOR color, HPALETTE palette);

} // namespace pkw::sib::gfx
