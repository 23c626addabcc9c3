#include "siblings/gfx/skin_layout.h"

#include <algorithm>

namespace pkw::sib::gfx {
namespace {

struct Cut {
    int low;
    int high;
};

// Margins of a span: negative ones count as 0; when both do not fit, they
// share the span in proportion.
Cut FitMargins(int low, int high, int span) {
    low = std::max(low, 0);
    high = std::max(high, 0);
    if (low + high <= span) return {low, high};
    const int fittedLow = low + high ? low * span / (low + high) : 0;
    return {fittedLow, span - fittedLow};
}

struct Bands {
    int edges[4]; // start of the first band, first cut, second cut, end
};

Bands Split(int origin, int span, Cut cut) {
    return {{origin, origin + cut.low, origin + span - cut.high, origin + span}};
}

} // namespace

std::vector<SkinPiece> LayoutSkin(const RECT& frame, const RECT& margins, int width, int height,
                                  const std::array<LONG, 5>& modes) {
    const int fw = frame.right - frame.left, fh = frame.bottom - frame.top;
    std::vector<SkinPiece> pieces;
    if (fw <= 0 || fh <= 0 || width <= 0 || height <= 0) return pieces;

    const Bands srcX = Split(frame.left, fw, FitMargins(margins.left, margins.right, fw));
    const Bands srcY = Split(frame.top, fh, FitMargins(margins.top, margins.bottom, fh));
    const Bands dstX = Split(0, width, FitMargins(margins.left, margins.right, width));
    const Bands dstY = Split(0, height, FitMargins(margins.top, margins.bottom, height));

    // Tiling of each cell of the 3 x 3 grid, [row][column].
    const bool left = modes[0] != 0, top = modes[1] != 0, right = modes[2] != 0,
               bottom = modes[3] != 0;
    const bool centreH = (modes[4] & kTileHStretchV) != 0,
               centreV = (modes[4] & kStretchHTileV) != 0;
    const bool tileH[3][3] = {{false, top, false}, {false, centreH, false}, {false, bottom, false}};
    const bool tileV[3][3] = {{false, false, false}, {left, centreV, right}, {false, false, false}};

    for (int row = 0; row < 3; ++row) {
        for (int col = 0; col < 3; ++col) {
            const RECT source{srcX.edges[col], srcY.edges[row], srcX.edges[col + 1],
                              srcY.edges[row + 1]};
            const RECT destination{dstX.edges[col], dstY.edges[row], dstX.edges[col + 1],
                                   dstY.edges[row + 1]};
            if (::IsRectEmpty(&source) || ::IsRectEmpty(&destination)) continue;
            pieces.push_back({source, destination, tileH[row][col], tileV[row][col]});
        }
    }
    return pieces;
}

} // namespace pkw::sib::gfx
