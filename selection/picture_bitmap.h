// The bitmap behind a picture object, for drawing it with GDI.
#pragma once

#include <unknwn.h>
#include <windows.h>

namespace pkw::selection {

// The bitmap of a bitmap picture (it stays the picture's); null for any
// other object or picture type.
HBITMAP BitmapOfPicture(IUnknown* object);

} // namespace pkw::selection
