// Layers to test the effects kernels on, and what the tests read off them.
#pragma once

#include "siblings/fx/kernels/layer.h"

#include <algorithm>
#include <cstdint>
#include <ostream>

namespace pkw::fx::test {

inline void FillRect(View v, int x, int y, int w, int h, Pixel p) {
    for (int yy = std::max(y, 0); yy < std::min(y + h, v.height); ++yy)
        for (int xx = std::max(x, 0); xx < std::min(x + w, v.width); ++xx)
            v.At(xx, yy) = p;
}

// Deterministic noise (a linear congruential generator), for pixels with
// detail in every channel.
class Noise {
public:
    explicit Noise(std::uint32_t seed) : state_(seed) {}
    std::uint32_t Next() { return state_ = state_ * 1664525u + 1013904223u; }
    // A random premultiplied pixel.
    Pixel NextPixel() {
        const std::uint32_t v = Next(), a = v >> 24;
        return Premultiply({std::uint8_t(v), std::uint8_t(v >> 8), std::uint8_t(v >> 16)}, a);
    }

private:
    std::uint32_t state_;
};

// Parameterised cases print as their names in failure messages (each
// test file brings this into its own namespace with a using-declaration).
template <class Case>
requires requires(const Case& c) {
    c.name;
}
void PrintTo(const Case& c, std::ostream* os) {
    *os << c.name;
}

} // namespace pkw::fx::test

namespace pkw::fx {

inline void PrintTo(const Bounds& b, std::ostream* os) {
    *os << "[" << b.left << ", " << b.top << ") to [" << b.right << ", " << b.bottom << ")";
}

} // namespace pkw::fx
