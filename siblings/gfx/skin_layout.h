// How a skin frame is cut into nine pieces by its margins and where each
// piece goes on the destination.
//
//   +----+-----------+----+      corners: copied as they are (scaled down
//   | c  |     2     | c  |               only when the destination is
//   +----+-----------+----+               smaller than the two margins)
//   |  1 |     5     |  3 |      1 to 4: left, top, right, bottom edges,
//   +----+-----------+----+               stretched (mode 0) or tiled
//   | c  |     4     | c  |               (nonzero) along their length
//   +----+-----------+----+      5: centre, by the tile mode 0 to 3
//                                   (stretch/tile horizontally, vertically)
#pragma once

#include <windows.h>

#include <array>
#include <vector>

namespace pkw::sib::gfx {

enum CentreTileMode : LONG {
    kStretchHStretchV = 0,
    kStretchHTileV = 1,
    kTileHStretchV = 2,
    kTileHTileV = 3,
};

struct SkinPiece {
    RECT source;      // in the skin image
    RECT destination; // relative to the drawn area's top-left corner
    bool tileH;
    bool tileV;
};

// frame: the frame's rectangle in the skin; margins: left, top, right and
// bottom widths; modes: the copy modes of regions 1 to 5. Pieces with an
// empty source or destination are left out.
std::vector<SkinPiece> LayoutSkin(const RECT& frame, const RECT& margins, int width, int height,
                                  const std::array<LONG, 5>& modes);

} // namespace pkw::sib::gfx
