// Turning a layer about its centre, counter-clockwise on screen by `degrees`
// (the sense of GDI's text escapement). Quarter turns move pixels exactly;
// other angles sample bilinearly (premultiplied, so edges blend into
// transparency cleanly) onto the bounding box of the turned layer.
#pragma once

#include "layer.h"

namespace pkw::fx {

struct Size {
    int width = 0;
    int height = 0;
    friend constexpr bool operator==(Size, Size) = default;
};

Size RotatedSize(int width, int height, float degrees) noexcept;

// dst has RotatedSize(src.width, src.height, degrees).
void Rotate(ConstView src, View dst, float degrees) noexcept;

} // namespace pkw::fx
