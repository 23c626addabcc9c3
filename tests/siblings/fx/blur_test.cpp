// The blur against a straightforward Gaussian, and what the other kernels
// rely on: how far it spreads, flat areas kept, every row-loop build alike.
#include "fx_test_support.h"

#include "siblings/fx/kernels/blur.h"
#include "siblings/fx/kernels/rows.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

namespace {

using namespace pkw::fx;
using namespace pkw::fx::test;

// Shapes with hard edges in several colours and alphas, and noise (the
// hardest case for an approximated Gaussian), with room around them for
// the blur to spread into.
Layer Sample(float radius) {
    const int m = BlurSupport(radius) + 2;
    Layer layer(80 + 2 * m, 60 + 2 * m);
    View v = layer.Pixels();
    FillRect(v, m, m, 30, 20, Premultiply({200, 40, 10}, 255));
    FillRect(v, m + 20, m + 12, 40, 30, Premultiply({20, 90, 250}, 128));
    FillRect(v, m + 50, m, 8, 40, Premultiply({255, 255, 255}, 255));
    Noise noise(7);
    for (int y = m + 44; y < m + 60; ++y)
        for (int x = m; x < m + 80; ++x)
            v.At(x, y) = noise.NextPixel();
    return layer;
}

// Each channel convolved with exp(-d² / 2σ²) out to 4σ, across then down,
// over the pixels inside the layer only (their weights normalised): the
// definition, computed in doubles.
std::vector<double> ReferenceGaussian(ConstView src, double sigma) {
    const int reach = int(std::ceil(4 * sigma)), w = src.width, h = src.height;
    auto g = [sigma](int d) { return std::exp(-d * d / (2 * sigma * sigma)); };
    // One axis: out[i] from in[i + d * step] for the d that stay inside.
    auto pass = [&](auto in, int at, int size, auto put) {
        double sum = 0, weight = 0;
        for (int d = -reach; d <= reach; ++d)
            if (at + d >= 0 && at + d < size) sum += g(d) * in(at + d), weight += g(d);
        put(sum / weight);
    };
    std::vector<double> across(std::size_t(w) * h * 4), out(across.size());
    auto index = [w](int x, int y, int c) { return (std::size_t(y) * w + x) * 4 + c; };
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            for (int c = 0; c < 4; ++c)
                pass([&](int xx) { return double((src.At(xx, y) >> 8 * c) & 0xFF); }, x, w,
                     [&](double v) { across[index(x, y, c)] = v; });
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            for (int c = 0; c < 4; ++c)
                pass([&](int yy) { return across[index(x, yy, c)]; }, y, h,
                     [&](double v) { out[index(x, y, c)] = v; });
    return out;
}

class BlurRadii : public ::testing::TestWithParam<float> {};

// Tolerance: no channel more than 10 levels (of 255, 4 %) from the Gaussian,
// and on average less than one. The sampled kernel of the small radii keeps
// within 2; the three boxes come closest to the limit where they are
// narrowest (radius 5.5, at the corners of hard-edged shapes).
TEST_P(BlurRadii, StaysCloseToAGaussianOfHalfTheRadius) {
    const float radius = GetParam();
    Layer layer = Sample(radius);
    const std::vector<double> expected = ReferenceGaussian(layer.Pixels(), radius / 2.0);
    Blur(layer.Pixels(), radius, layer.Work());

    double worst = 0, sum = 0;
    const ConstView v = layer.Pixels();
    for (int y = 0; y < v.height; ++y)
        for (int x = 0; x < v.width; ++x)
            for (int c = 0; c < 4; ++c) {
                const double d = std::abs(double((v.At(x, y) >> 8 * c) & 0xFF) -
                                          expected[(std::size_t(y) * v.width + x) * 4 + c]);
                worst = std::max(worst, d);
                sum += d;
            }
    EXPECT_LE(worst, 10.0);
    EXPECT_LT(sum / (v.width * v.height * 4.0), 1.0);
}

// An opaque block spreads exactly BlurSupport pixels each way: the room
// shadows and glows are given, no more and no less.
TEST_P(BlurRadii, SpreadsExactlyAsFarAsItsSupport) {
    const float radius = GetParam();
    const int reach = BlurSupport(radius), block = 2 * reach + 5, margin = reach + 3;
    Layer layer(block + 2 * margin, block + 2 * margin);
    FillRect(layer.Pixels(), margin, margin, block, block, 0xFFFFFFFF);
    Blur(layer.Pixels(), radius, layer.Work());
    EXPECT_EQ(InkBounds(layer.Pixels()), (Bounds{margin - reach, margin - reach,
                                                 margin + block + reach, margin + block + reach}));
}

TEST_P(BlurRadii, LeavesAFlatAreaAsItWas) {
    const float radius = GetParam();
    const int margin = BlurSupport(radius);
    Layer layer(2 * margin + 8, 2 * margin + 8);
    const Pixel colour = Premultiply({90, 180, 33}, 201);
    Fill(layer.Pixels(), colour);
    Blur(layer.Pixels(), radius, layer.Work());
    // Only the pixels inside count near the edges: it stays flat up to them.
    for (int y = 0; y < layer.Height(); ++y)
        for (int x = 0; x < layer.Width(); ++x)
            ASSERT_EQ(layer.Pixels().At(x, y), colour);
}

INSTANTIATE_TEST_SUITE_P(Radii, BlurRadii, ::testing::Values(1.0f, 3.0f, 5.0f, 5.5f, 20.0f),
                         [](const auto& info) {
                             const int tenths = int(info.param * 10);
                             return "Radius" + std::to_string(tenths / 10) +
                                    (tenths % 10 ? "_" + std::to_string(tenths % 10) : "");
                         });

TEST(BlurAmount, MapsToTheDocumentedRadii) {
    EXPECT_FLOAT_EQ(BlurRadius(8), 2.0f);
    EXPECT_FLOAT_EQ(BlurRadius(200), 10.0f);
    EXPECT_FLOAT_EQ(BlurRadius(31250), 125.0f);
    EXPECT_EQ(BlurRadius(0), 0.0f);
    EXPECT_EQ(BlurRadius(-5), 0.0f);
}

// Every build of the row loops (baseline, AVX2) gives the plain arithmetic's
// results, so the look does not depend on the processor.
TEST(RowLoops, EveryBuildComputesTheSameAsPlainArithmetic) {
    constexpr std::size_t n = 1000; // not a multiple of any vector width
    Noise noise(3);
    std::vector<std::uint8_t> rows[kMaxTaps];
    for (auto& r : rows) {
        r.resize(n);
        for (auto& b : r)
            b = std::uint8_t(noise.Next() >> 24);
    }
    const std::uint16_t weights[kMaxTaps] = {1,  2,  3,  4, 5, 12, 25, 40, 90,
                                             40, 25, 12, 5, 4, 3,  2,  1};
    const std::uint8_t* pointers[kMaxTaps];
    for (int k = 0; k < kMaxTaps; ++k)
        pointers[k] = rows[k].data();

    for (const RowOpsBuild& build : RowOpsBuilds()) {
        SCOPED_TRACE(build.name);
        std::vector<std::uint16_t> acc(n, 300);
        std::vector<std::uint8_t> out(n);
        build.ops->sum(acc.data(), rows[0].data(), n);
        for (std::size_t i = 0; i < n; ++i)
            ASSERT_EQ(acc[i], 300 + rows[0][i]);

        const std::uint16_t count = 5, lower = std::uint16_t(-2);
        build.ops->slide(acc.data(), rows[1].data(), rows[2].data(), out.data(), n, 65536 / count,
                         lower, count);
        for (std::size_t i = 0; i < n; ++i) {
            const unsigned before = 300u + rows[0][i];
            ASSERT_EQ(out[i], (before - 2) / count);
            ASSERT_EQ(acc[i], before + rows[1][i] - rows[2][i]);
        }

        for (int taps = 3; taps <= kMaxTaps; taps += 2) {
            std::uint16_t w[kMaxTaps];
            int total = 0;
            for (int k = 0; k < taps; ++k)
                total += w[k] = weights[k];
            w[taps / 2] = std::uint16_t(w[taps / 2] + 256 - total);
            build.ops->convolve(pointers, w, taps, out.data(), n);
            for (std::size_t i = 0; i < n; ++i) {
                unsigned s = 128;
                for (int k = 0; k < taps; ++k)
                    s += w[k] * rows[k][i];
                ASSERT_EQ(out[i], s >> 8) << "taps " << taps << " at " << i;
            }
        }
    }
}

} // namespace
