// What the page and about box tests share: the built-in images as the
// resource server lends them to the library (the same DLL, in this
// process), and comparisons of what the screen shows with them.
#pragma once

#include "host/capture.h"

#include <climits>
#include <cstddef>
#include <functional>

namespace pkw::test {

// `area` of built-in image `id`; empty when the server has no such image.
host::Image ResourceImage(LONG id, const RECT& area);

// `shown` holds `expected`, pixel for pixel, with its top left at `at`.
bool ShowsAt(const host::Image& shown, POINT at, const host::Image& expected);

// The pixels of `area` for which `ink` holds: how many, and their
// leftmost and rightmost column.
struct Ink {
    std::size_t count = 0;
    LONG left = LONG_MAX;
    LONG right = LONG_MIN;
};
Ink InkIn(const RECT& area, const std::function<bool(LONG x, LONG y)>& ink);

} // namespace pkw::test
