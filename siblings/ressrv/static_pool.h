// Built-in images shared by the whole process: one memory DC per image and
// colour scheme, lent to every borrower and freed when the last gives it back.
#pragma once

#include <windows.h>

namespace pkw::sib::res {

// The shared DC of image resId in the scheme variant (when the image takes
// schemes); 0 for an image the resource library does not hold.
HDC BorrowStaticImage(LONG resId, LONG variant);

// Gives a DC back; false when it is not one of ours.
bool ReturnStaticImage(HDC hdc);

} // namespace pkw::sib::res
