// Host images kept by name: each name holds a copy of the bitmap it was first
// given, in one memory DC lent to every borrower of that name and freed when
// the last gives it back. Names are compared exactly (case counts).
#pragma once

#include <windows.h>

namespace pkw::sib::res {

// The DC of the image under name, made from a copy of bitmap when the name is
// new; 0 for a null bitmap, an empty name or a bitmap that cannot be read.
// Writes the image's size in pixels (0 on failure) where asked.
HDC BorrowCustomImage(HBITMAP bitmap, const char* name, LONG* width, LONG* height);

// Gives a name's DC back; false for a name not held.
bool ReturnCustomImage(const char* name);

} // namespace pkw::sib::res
