// The effects kernels allocate nothing on a layer that is kept between
// paints. Counted by replacing operator new for this test program.
#include "fx_test_support.h"

#include "siblings/fx/kernels/effects_layer.h"

#include <gtest/gtest.h>

#include <atomic>
#include <cstdlib>
#include <new>

namespace {
std::atomic<int> allocations{0};
}

// The replacements pair malloc with free; GCC cannot see that through the
// inlined new and delete expressions.
#pragma GCC diagnostic ignored "-Wmismatched-new-delete"

void* operator new(std::size_t size) {
    ++allocations;
    if (void* p = std::malloc(size ? size : 1)) return p;
    throw std::bad_alloc();
}
void operator delete(void* p) noexcept {
    std::free(p);
}
void operator delete(void* p, std::size_t) noexcept {
    std::free(p);
}

namespace {

using namespace pkw::fx;

ShadowSettings Offset(int dx, int dy) {
    ShadowSettings s;
    s.dx = dx;
    s.dy = dy;
    return s;
}

// A control repaints with the same steps on a layer it keeps: the layers
// that shadows, halos and turns grow into, and the scratch every kernel
// works in, are made once, not every paint.
TEST(KeptLayer, AllocatesNothingWhenItRepeatsAPaint) {
    EffectsLayer layer;
    const auto paint = [&] {
        layer.Reset(300, 60, Premultiply({200, 100, 50}, 255));
        layer.Blur(8);     // a small radius: the sampled kernel
        layer.Blur(31250); // a large one: the three boxes
        layer.Soften(60);
        layer.Emboss({});
        layer.DetectEdges();
        layer.InnerShadow(Offset(2, 2));
        layer.Glow({});
        layer.Rotate(30, Sampling::Bilinear);
        layer.DropShadow(Offset(3, 3));
        layer.LinearGradient(45, {});
    };
    paint();
    const int before = allocations;
    paint();
    EXPECT_EQ(allocations - before, 0);
}

} // namespace
