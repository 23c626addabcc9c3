// The about box that the controls' About method opens: modal, and one at a
// time in the whole library.
#pragma once

#include <windows.h>

namespace pkw::pages {

// Opens the box over the top-level window of `beside` (else over the
// thread's active window) and returns once it is closed. While a box is
// open, a further call brings it forward and returns at once.
HRESULT ShowAboutBox(HWND beside) noexcept;

} // namespace pkw::pages
