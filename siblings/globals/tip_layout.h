// Where the tip stands: the balloon's body and its tail, in screen pixels,
// from the body's size, the point the tail names and the placement values.
//
// Placement values (as QueryPlacement leaves them):
//   XDisplay  0 automatic (right of the point, flipped left when it does not
//               fit), 1 right of the point, 2 left of it, 3 centred on it
//   YDisplay  0 automatic (below the point, flipped above when it does not
//               fit), 1 below, 2 above
//   other values count as 0. Whatever they say, the tip stays on the work area.
#pragma once

#include <windows.h>

namespace pkw::globals {

struct TipShape {
    int radius = 0;
    int tailLength = 0;
    int tailWidth = 0;
};

struct TipGeometry {
    RECT body{}; // the rounded rectangle
    bool hasTail = false;
    bool below = true; // the body stands below the point (tail on its top edge)
    POINT apex{};      // the tail's tip
    LONG baseLeft = 0; // the tail's base on the body's edge, left to right
    LONG baseRight = 0;
    RECT bounds{};  // body and tail together
    int radius = 0; // the radius that fits the body
};

// `area`: where the tip may stand (the monitor's work area less whatever the
// picture draws around the shape).
TipGeometry placeTip(SIZE body, const TipShape& shape, POINT point, SHORT xDisplay, SHORT yDisplay,
                     const RECT& area);

} // namespace pkw::globals
