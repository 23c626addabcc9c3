// A small pixel font for the few words the images carry: 7 rows high,
// letters on a fixed baseline, one pixel between letters.
#pragma once

#include "shapes.h"

#include <string_view>

namespace pkw::images {

inline constexpr int kFontHeight = 7;

// Width in pixels of a text.
int TextWidth(std::string_view text);

// Whether point p, relative to the text's top-left corner, falls on a set
// pixel of the text. Letters the font lacks are blank.
bool TextCovers(std::string_view text, Point p);

} // namespace pkw::images
