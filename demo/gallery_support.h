// What the demo's galleries share: labels on the form, and cells captured
// as they were entered laid back over the finished form's image.
#pragma once

#include "host/capture.h"
#include "host/com_object.h"

#include <ocidl.h>

#include <windows.h>

#include <cstdint>
#include <functional>

namespace pkw::demo {

// A static text on the form, centred vertically in `r`.
void Label(HWND form, const wchar_t* text, const RECT& r);

// `cell` over `into` with its top-left corner at that of `at`.
void Paste(host::Image& into, const host::Image& cell, const RECT& at);

// A bitmap picture of width x height whose pixel (x, y) is colourAt(x, y)
// as 0x00RRGGBB; null when it cannot be made.
host::ComPtr<IPictureDisp> PictureOf(int width, int height,
                                     const std::function<std::uint32_t(int, int)>& colourAt);

} // namespace pkw::demo
