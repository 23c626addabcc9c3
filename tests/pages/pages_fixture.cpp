#include "tests/pages/pages_fixture.h"

#include "siblings/api/static_image.h"

#include <algorithm>

namespace pkw::test {

host::Image ResourceImage(LONG id, const RECT& area) {
    const sib::StaticImage image(id);
    return image ? host::captureDc(image.dc(), area) : host::Image();
}

bool ShowsAt(const host::Image& shown, POINT at, const host::Image& expected) {
    const RECT area{at.x, at.y, at.x + expected.width(), at.y + expected.height()};
    return !expected.empty() && shown.crop(area).pixels() == expected.pixels();
}

Ink InkIn(const RECT& area, const std::function<bool(LONG x, LONG y)>& ink) {
    Ink found;
    for (LONG y = area.top; y < area.bottom; ++y)
        for (LONG x = area.left; x < area.right; ++x)
            if (ink(x, y)) {
                ++found.count;
                found.left = std::min(found.left, x);
                found.right = std::max(found.right, x);
            }
    return found;
}

} // namespace pkw::test
