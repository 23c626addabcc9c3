#include "siblings/globals/tip_layout.h"

#include <algorithm>

namespace pkw::globals {
namespace {

enum class Across { Right, Left, Centre, Automatic };
enum class Upright { Below, Above, Automatic };

Across acrossOf(SHORT value) {
    switch (value) {
    case 1:
        return Across::Right;
    case 2:
        return Across::Left;
    case 3:
        return Across::Centre;
    default:
        return Across::Automatic;
    }
}

Upright uprightOf(SHORT value) {
    switch (value) {
    case 1:
        return Upright::Below;
    case 2:
        return Upright::Above;
    default:
        return Upright::Automatic;
    }
}

// Moves [low, low + size) into [min, max) as far as it fits; a span larger
// than the range starts at min.
LONG shiftInto(LONG low, LONG size, LONG min, LONG max) {
    return std::max(min, std::min(low, max - size));
}

} // namespace

TipGeometry placeTip(SIZE body, const TipShape& shape, POINT point, SHORT xDisplay, SHORT yDisplay,
                     const RECT& area) {
    TipGeometry g;
    const LONG width = std::max<LONG>(body.cx, 1);
    const LONG height = std::max<LONG>(body.cy, 1);
    g.radius = std::min<int>(shape.radius, static_cast<int>(std::min(width, height) / 2));

    // The tail's base keeps clear of the rounded corners.
    const LONG inset = g.radius + 2;
    const LONG tailWidth = std::min<LONG>(shape.tailWidth, width - 2 * inset);
    const LONG tailLength = shape.tailLength;
    g.hasTail = tailWidth >= 2 && tailLength >= 2;
    const LONG reach = g.hasTail ? tailLength : 0;

    POINT apex{std::clamp(point.x, area.left, std::max(area.left, area.right - 1)),
               std::clamp(point.y, area.top, std::max(area.top, area.bottom - 1))};

    // Up or down: the side asked for, or the one where the whole tip fits.
    const bool fitsBelow = apex.y + reach + height <= area.bottom;
    const bool fitsAbove = apex.y - reach - height >= area.top;
    switch (uprightOf(yDisplay)) {
    case Upright::Below:
        g.below = true;
        break;
    case Upright::Above:
        g.below = false;
        break;
    case Upright::Automatic:
        g.below = fitsBelow || (!fitsAbove && area.bottom - apex.y >= apex.y - area.top);
        break;
    }
    LONG top = g.below ? apex.y + reach : apex.y - reach - height;

    // Left or right, and where on the edge the tail meets the body.
    Across across = acrossOf(xDisplay);
    if (across == Across::Automatic)
        across = apex.x - inset + width <= area.right || apex.x + inset - width < area.left
                     ? Across::Right
                     : Across::Left;
    LONG left = 0;
    LONG baseLeft = 0;
    switch (across) {
    case Across::Right:
    case Across::Automatic:
        left = apex.x - inset;
        baseLeft = apex.x;
        break;
    case Across::Left:
        left = apex.x + inset - width;
        baseLeft = apex.x - tailWidth;
        break;
    case Across::Centre:
        left = apex.x - width / 2;
        baseLeft = apex.x - tailWidth / 2;
        break;
    }

    // Always on the area: the body moves, the tail's base moves with it
    // within the body's straight edge, and the apex stays on the point.
    const LONG newLeft = shiftInto(left, width, area.left, area.right);
    const LONG newTop = shiftInto(top, height, area.top, area.bottom);
    baseLeft += newLeft - left;
    baseLeft = std::clamp(baseLeft, newLeft + inset,
                          std::max(newLeft + inset, newLeft + width - inset - tailWidth));
    left = newLeft;
    top = newTop;
    g.body = RECT{left, top, left + width, top + height};

    // A body pushed onto the point leaves no room for a tail.
    const LONG gap = g.below ? top - apex.y : apex.y - (top + height);
    if (gap < 2) g.hasTail = false;
    g.apex = apex;
    g.baseLeft = baseLeft;
    g.baseRight = baseLeft + tailWidth;

    g.bounds = g.body;
    if (g.hasTail) {
        g.bounds.left = std::min(g.bounds.left, apex.x);
        g.bounds.right = std::max(g.bounds.right, apex.x + 1);
        g.bounds.top = std::min(g.bounds.top, apex.y);
        g.bounds.bottom = std::max(g.bounds.bottom, apex.y + 1);
    }
    return g;
}

} // namespace pkw::globals
