#include "blur.h"

#include "rows.h"
#include "separable.h"

#include <algorithm>
#include <cmath>
#include <cstring>

namespace pkw::fx {
namespace {

static_assert(kMaxKernelHalf >= 3 * kDirectRadiusMax / 2, "the direct path reaches 3 sigma");

// The widest box the 16-bit running sums hold: 255 * (2 r + 1) + r < 2^16.
constexpr int kMaxBox = 127;

// Three box widths (odd) whose variances add up to sigma squared as nearly
// as whole widths allow: the smaller width for the first passes, the next
// odd width for the rest.
struct Boxes {
    int radius[3] = {};
};

Boxes BoxesFor(float sigma) {
    constexpr int n = 3;
    const double s2 = double(sigma) * sigma;
    int low = int(std::floor(std::sqrt(12.0 * s2 / n + 1.0)));
    if (low % 2 == 0) --low;
    const int small = int(
        std::lround((12.0 * s2 - n * low * low - 4.0 * n * low - 3.0 * n) / (-4.0 * low - 4.0)));
    Boxes b;
    for (int i = 0; i < n; ++i)
        b.radius[i] = std::min(((i < small ? low : low + 2) - 1) / 2, kMaxBox);
    return b;
}

// Rows of bytes: the planes the passes read and write.
struct Plane {
    std::uint8_t* data;
    int rows;
    std::size_t bytes; // per row
    std::ptrdiff_t stride;
    std::uint8_t* Row(int y) const noexcept { return data + y * stride; }
};

Plane PlaneOf(View v) noexcept {
    return {reinterpret_cast<std::uint8_t*>(v.pixels), v.height, std::size_t(v.width) * 4,
            v.stride * 4};
}

Plane PlaneIn(std::span<Pixel> memory, int width, int height) noexcept {
    return {reinterpret_cast<std::uint8_t*>(memory.data()), height, std::size_t(width) * 4,
            std::ptrdiff_t(width) * 4};
}

// One box pass down the columns of src into dst, by running sums. Only rows
// inside the plane count: each output is the mean of the `count` rows its
// box holds there, rounded to nearest (the sums carry r extra, and each row
// adds count / 2 - r to them before dividing).
void BoxDown(const RowOps& ops, Plane src, Plane dst, int r, std::uint16_t* acc,
             const std::uint8_t* zero) {
    const std::size_t n = src.bytes;
    const int rows = src.rows;
    if (r == 0 || rows == 1) {
        for (int y = 0; y < rows; ++y)
            std::memcpy(dst.Row(y), src.Row(y), n);
        return;
    }
    std::fill_n(acc, n, std::uint16_t(r));
    for (int y = 0; y <= r && y < rows; ++y)
        ops.sum(acc, src.Row(y), n);
    for (int y = 0; y < rows; ++y) {
        const int count = std::min(y + r, rows - 1) - std::max(y - r, 0) + 1;
        const auto scale = std::uint16_t(65536 / count);
        const auto offset = std::uint16_t(count / 2 - r);
        const std::uint8_t* add = y + r + 1 < rows ? src.Row(y + r + 1) : zero;
        const std::uint8_t* sub = y - r >= 0 ? src.Row(y - r) : zero;
        ops.slide(acc, add, sub, dst.Row(y), n, scale, offset, std::uint16_t(count));
    }
}

// dst (height × width pixels) = src (width × height) turned over its
// diagonal, in blocks that keep both sides in the first-level cache; the
// inner loop writes along a row, since strided writes cost far more than
// strided reads.
void Transpose(Plane src, Plane dst) noexcept {
    constexpr int kBlock = 32;
    const int width = int(src.bytes / 4);
    for (int y0 = 0; y0 < src.rows; y0 += kBlock) {
        const int y1 = std::min(y0 + kBlock, src.rows);
        for (int x0 = 0; x0 < width; x0 += kBlock) {
            const int x1 = std::min(x0 + kBlock, width);
            for (int x = x0; x < x1; ++x) {
                std::uint8_t* d = dst.Row(x);
                for (int y = y0; y < y1; ++y)
                    std::memcpy(d + y * 4, src.Row(y) + x * 4, 4);
            }
        }
    }
}

void BoxBlur(View view, float sigma, Scratch& scratch) {
    const Boxes boxes = BoxesFor(sigma);
    const RowOps& ops = Rows();
    const int w = view.width, h = view.height;
    const std::size_t longest = std::size_t(std::max(w, h)) * 4;
    Scratch::Frame frame(scratch);
    auto a = frame.Take<Pixel>(std::size_t(w) * h);
    auto b = frame.Take<Pixel>(std::size_t(w) * h);
    auto acc = frame.Take<std::uint16_t>(longest);
    auto zero = frame.Take<std::uint8_t>(longest);
    std::fill(zero.begin(), zero.end(), std::uint8_t(0));

    // Down the columns: view → a → view → a.
    const Plane v = PlaneOf(view), across = PlaneIn(a, w, h);
    BoxDown(ops, v, across, boxes.radius[0], acc.data(), zero.data());
    BoxDown(ops, across, v, boxes.radius[1], acc.data(), zero.data());
    BoxDown(ops, v, across, boxes.radius[2], acc.data(), zero.data());
    // Along the rows, as columns of the transposed image: b → a → b → a.
    const Plane turned = PlaneIn(b, h, w), turned2 = PlaneIn(a, h, w);
    Transpose(across, turned);
    BoxDown(ops, turned, turned2, boxes.radius[0], acc.data(), zero.data());
    BoxDown(ops, turned2, turned, boxes.radius[1], acc.data(), zero.data());
    BoxDown(ops, turned, turned2, boxes.radius[2], acc.data(), zero.data());
    Transpose(turned2, v);
}

} // namespace

float BlurRadius(int amount) noexcept {
    return amount > 0 ? std::sqrt(amount / 2.0f) : 0.0f;
}

// How far the edge of an opaque area spreads: the farthest tap that weighs
// anything, or for the boxes, found by blurring such an edge down one
// column. Every pass is monotone, so nothing spreads farther.
int BlurSupport(float radius) noexcept {
    if (radius <= 0) return 0;
    radius = std::min(radius, kMaxBlurRadius);
    if (radius <= kDirectRadiusMax) {
        const Kernel k = GaussianKernel(radius / 2);
        int reach = k.half;
        while (reach > 0 && k.weight[k.half + reach] == 0)
            --reach;
        return reach;
    }
    const Boxes b = BoxesFor(radius / 2);
    const int most = b.radius[0] + b.radius[1] + b.radius[2], rows = 2 * most + 2;
    std::uint8_t column[2][2 * 3 * kMaxBox + 2] = {};
    std::fill_n(column[0], most + 1, std::uint8_t(255));
    std::uint16_t acc;
    const std::uint8_t zero = 0;
    for (int pass = 0; pass < 3; ++pass)
        BoxDown(Rows(), {column[pass % 2], rows, 1, 1}, {column[1 - pass % 2], rows, 1, 1},
                b.radius[pass], &acc, &zero);
    const std::uint8_t* out = column[1];
    int last = rows - 1;
    while (last > most && out[last] == 0)
        --last;
    return last - most;
}

void Blur(View view, float radius, Scratch& scratch) {
    if (radius <= 0 || view.Empty()) return;
    radius = std::min(radius, kMaxBlurRadius);
    if (radius <= kDirectRadiusMax)
        Convolve(view, GaussianKernel(radius / 2), scratch);
    else
        BoxBlur(view, radius / 2, scratch);
}

View BlurredCopy(ConstView src, int x, int y, int width, int height, float radius,
                 Scratch::Frame& frame, Scratch& scratch) {
    const View copy{frame.Take<Pixel>(std::size_t(width) * height).data(), width, height, width};
    Fill(copy, 0);
    const Overlap o = OverlapAt(copy, src, x, y);
    Copy(o.src, o.dst);
    Blur(copy, radius, scratch);
    return copy;
}

} // namespace pkw::fx
