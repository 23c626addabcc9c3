// What the page and about box tests share: the built-in images as the
// resource server lends them to the library, and comparisons of what the
// screen shows with them.
#pragma once

#include "host/capture.h"

#include <windows.h>

#include <cstddef>
#include <functional>

namespace pkw::test {

// `area` of built-in image `id` (the same resource server DLL as the
// library's, in this process); empty when the server has no such image.
host::Image ResourceImage(LONG id, const RECT& area);

// How many pixels of `expected`, placed at `at` in `shown`, differ from it.
std::size_t PixelsDiffering(const host::Image& shown, POINT at, const host::Image& expected);

// The pixels of `area` in `shown` for which `ink` holds: how many, and
// their leftmost and rightmost column.
struct Ink {
    std::size_t count = 0;
    LONG left = LONG_MAX;
    LONG right = LONG_MIN;
};
Ink InkIn(const host::Image& shown, const RECT& area,
          const std::function<bool(LONG x, LONG y)>& ink);

} // namespace pkw::test
