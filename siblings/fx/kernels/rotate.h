// Turning a layer about its centre, counter-clockwise on screen by `degrees`
// (the sense of GDI's text escapement). Quarter turns move pixels exactly;
// other angles sample bilinearly (premultiplied, so edges blend into
// transparency cleanly), or take the nearest pixel when asked, onto the
// bounding box of the turned layer.
#pragma once

#include "layer.h"

namespace pkw::fx {

struct Size {
    int width = 0;
    int height = 0;
    friend constexpr bool operator==(Size, Size) = default;
};

Size RotatedSize(int width, int height, float degrees) noexcept;

enum class Sampling { Bilinear, Nearest };

// dst has RotatedSize(src.width, src.height, degrees).
void Rotate(ConstView src, View dst, float degrees,
            Sampling sampling = Sampling::Bilinear) noexcept;

// Where a rectangle of a width × height layer lies once the layer is
// turned: the bounding box, in whole pixels, of the turned rectangle.
Bounds RotatedBounds(Bounds box, int width, int height, float degrees) noexcept;

} // namespace pkw::fx
