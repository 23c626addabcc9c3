// The kernels that need working memory allocate none: called on a layer,
// they work in the scratch the layer reserved. Counted by replacing
// operator new for this test program.
#include "fx_test_support.h"

#include "siblings/fx/kernels/blur.h"
#include "siblings/fx/kernels/edges.h"
#include "siblings/fx/kernels/effects_layer.h"
#include "siblings/fx/kernels/emboss.h"
#include "siblings/fx/kernels/glow.h"
#include "siblings/fx/kernels/shadow.h"
#include "siblings/fx/kernels/soften.h"

#include <gtest/gtest.h>

#include <atomic>
#include <cstdlib>
#include <functional>
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
using namespace pkw::fx::test;
using pkw::fx::test::PrintTo;

struct KernelCase {
    const char* name;
    std::function<void(Layer& layer, Layer& target)> run;
};

ShadowSettings Offset(int dx, int dy) {
    ShadowSettings s;
    s.dx = dx;
    s.dy = dy;
    return s;
}

class NoAllocation : public ::testing::TestWithParam<KernelCase> {};

TEST_P(NoAllocation, WhileTheKernelRuns) {
    // A layer sized like a large caption, and a target for its drop shadow.
    Layer layer(300, 60);
    Noise noise(5);
    for (int y = 0; y < 60; ++y)
        for (int x = 0; x < 300; ++x)
            layer.Pixels().At(x, y) = noise.NextPixel();
    const ShadowGeometry g = DropShadowGeometry(layer.Pixels(), Offset(3, 3));
    Layer target(300 + g.extraWidth, 60 + g.extraHeight);
    const int before = allocations;
    GetParam().run(layer, target);
    EXPECT_EQ(allocations - before, 0);
}

INSTANTIATE_TEST_SUITE_P(
    Kernels, NoAllocation,
    ::testing::Values(
        KernelCase{"SmallBlur", [](Layer& l, Layer&) { Blur(l.Pixels(), 2, l.Work()); }},
        KernelCase{"LargeBlur", [](Layer& l, Layer&) { Blur(l.Pixels(), 125, l.Work()); }},
        KernelCase{"Soften", [](Layer& l, Layer&) { Soften(l.Pixels(), 60, l.Work()); }},
        KernelCase{"Emboss", [](Layer& l, Layer&) { Emboss(l.Pixels(), {}, l.Work()); }},
        KernelCase{"Glow", [](Layer& l, Layer&) { Glow(l.Pixels(), {}, l.Work()); }},
        KernelCase{"InnerShadow",
                   [](Layer& l, Layer&) { InnerShadow(l.Pixels(), Offset(2, 2), l.Work()); }},
        KernelCase{
            "DropShadow",
            [](Layer& l, Layer& t) { DropShadow(l.Pixels(), t.Pixels(), Offset(3, 3), t.Work()); }},
        KernelCase{"Edges", [](Layer& l, Layer&) { DetectEdges(l.Pixels(), l.Work()); }}),
    [](const auto& info) { return std::string(info.param.name); });

// A control repaints with the same steps on a layer it keeps: the layers
// that shadows, halos and turns grow into are made once, not every paint.
TEST(KeptLayer, AllocatesNothingWhenItRepeatsAPaint) {
    EffectsLayer layer;
    const auto paint = [&] {
        layer.Reset(120, 24, Premultiply({200, 100, 50}, 255));
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
