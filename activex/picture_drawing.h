// Pictures of picture properties (IPictureDisp) on a drawing surface: their
// size in screen pixels, and drawing them as they are or greyed.
#pragma once

#include <ocidl.h>
#include <olectl.h>
#include <windows.h>

namespace pkw::ax {

// The picture's size in pixels of the screen; 0 x 0 for none.
SIZE PicturePixelSize(IPictureDisp* picture);

// Icons as icons at w x h, bitmaps through gfxDrawTransparentBitmap; greyed
// draws either in the system's disabled (embossed) style at its own size.
// A null or empty picture draws nothing.
void DrawPicture(HDC hdc, IPictureDisp* picture, LONG x, LONG y, LONG w, LONG h, bool greyed);

} // namespace pkw::ax
