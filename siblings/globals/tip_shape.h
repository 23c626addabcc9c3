// The balloon's outline as a distance field: the rounded body joined with
// the tail's triangle, in the picture's pixels. Edges, the border and the
// shadow all come from the distance, so they come out anti-aliased.
#pragma once

#include "siblings/globals/tip_layout.h"

#include <windows.h>

namespace pkw::globals {

struct Vec {
    double x, y;
};

struct TipShapeField {
    RECT body{};
    double radius = 0;
    bool hasTail = false;
    Vec apex{}, baseLeft{}, baseRight{};

    // Signed distance from the outline, negative inside.
    double distance(Vec p) const;
};

// The placed tip's shape in the coordinates of a picture whose top-left
// pixel is at `origin` on the screen.
TipShapeField shapeFieldOf(const TipGeometry& g, POINT origin, int borderWidth);

// How much of a pixel at this distance the shape covers (0 to 1).
double coverage(double distance);

} // namespace pkw::globals
