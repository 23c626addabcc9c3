#include "tests/pages/pages_fixture.h"

#include "siblings/api/static_image.h"

#include <algorithm>

namespace pkw::test {

host::Image ResourceImage(LONG id, const RECT& area) {
    const sib::StaticImage image(id);
    if (!image) return {};
    return host::captureDc(image.dc(), area);
}

std::size_t PixelsDiffering(const host::Image& shown, POINT at, const host::Image& expected) {
    std::size_t differing = 0;
    for (int y = 0; y < expected.height(); ++y)
        for (int x = 0; x < expected.width(); ++x) {
            const LONG sx = at.x + x, sy = at.y + y;
            if (sx >= shown.width() || sy >= shown.height() ||
                shown.at(sx, sy) != expected.at(x, y))
                ++differing;
        }
    return differing;
}

Ink InkIn(const host::Image& shown, const RECT& area,
          const std::function<bool(LONG x, LONG y)>& ink) {
    Ink found;
    for (LONG y = std::max(0L, area.top); y < std::min<LONG>(area.bottom, shown.height()); ++y)
        for (LONG x = std::max(0L, area.left); x < std::min<LONG>(area.right, shown.width()); ++x) {
            if (!ink(x, y)) continue;
            ++found.count;
            found.left = std::min(found.left, x);
            found.right = std::max(found.right, x);
        }
    return found;
}

} // namespace pkw::test
