// Layers of premultiplied BGRA pixels and the views the kernels work on.
//   View / ConstView  a window on pixels owned elsewhere (a layer, a DIB section)
//   Layer             owns its pixels and the scratch memory its kernels use
#pragma once

#include "pixel.h"
#include "scratch.h"

#include <cstddef>
#include <vector>

namespace pkw::fx {

template <class P>
struct BasicView {
    P* pixels = nullptr;
    int width = 0;
    int height = 0;
    std::ptrdiff_t stride = 0; // pixels from the start of one row to the next

    P* Row(int y) const noexcept { return pixels + y * stride; }
    P& At(int x, int y) const noexcept { return pixels[y * stride + x]; }
    bool Empty() const noexcept { return width <= 0 || height <= 0; }

    operator BasicView<const Pixel>() const noexcept { return {pixels, width, height, stride}; }
};

using View = BasicView<Pixel>;
using ConstView = BasicView<const Pixel>;

// The parts of dst and src that meet when src is placed at (x, y) on dst
// (empty views when they do not meet).
struct Overlap {
    View dst;
    ConstView src;
};
Overlap OverlapAt(View dst, ConstView src, int x, int y) noexcept;

// The smallest rectangle holding every pixel that is not fully transparent
// (right and bottom exclusive; empty when there is none).
struct Bounds {
    int left = 0, top = 0, right = 0, bottom = 0;
    bool Empty() const noexcept { return right <= left || bottom <= top; }
    friend bool operator==(const Bounds&, const Bounds&) = default;
};
Bounds InkBounds(ConstView view) noexcept;

// Fills every pixel of a view with one value.
void Fill(View view, Pixel value) noexcept;

// Copies src into dst (the sizes must match).
void Copy(ConstView src, View dst) noexcept;

class Layer {
public:
    Layer() = default;
    Layer(int width, int height) { Resize(width, height); }

    // New size, every pixel transparent; reserves the scratch any kernel
    // needs at this size, so the kernels themselves never allocate.
    void Resize(int width, int height);

    int Width() const noexcept { return width_; }
    int Height() const noexcept { return height_; }
    View Pixels() noexcept { return {pixels_.data(), width_, height_, width_}; }
    ConstView Pixels() const noexcept { return {pixels_.data(), width_, height_, width_}; }
    Scratch& Work() noexcept { return scratch_; }

private:
    int width_ = 0;
    int height_ = 0;
    std::vector<Pixel> pixels_;
    Scratch scratch_;
};

} // namespace pkw::fx
