#include "layer.h"

#include <algorithm>
#include <cstring>

namespace pkw::fx {

Overlap OverlapAt(View dst, ConstView src, int x, int y) noexcept {
    const int x0 = std::max(x, 0), y0 = std::max(y, 0);
    const int x1 = std::min(dst.width, x + src.width), y1 = std::min(dst.height, y + src.height);
    if (x1 <= x0 || y1 <= y0) return {};
    return {{&dst.At(x0, y0), x1 - x0, y1 - y0, dst.stride},
            {&src.At(x0 - x, y0 - y), x1 - x0, y1 - y0, src.stride}};
}

Bounds InkBounds(ConstView view) noexcept {
    Bounds b{view.width, view.height, 0, 0};
    for (int y = 0; y < view.height; ++y) {
        const Pixel* row = view.Row(y);
        for (int x = 0; x < view.width; ++x)
            if (AlphaOf(row[x]) != 0) {
                b.left = std::min(b.left, x), b.right = std::max(b.right, x + 1);
                b.top = std::min(b.top, y), b.bottom = std::max(b.bottom, y + 1);
            }
    }
    return b.Empty() ? Bounds{} : b;
}

void Fill(View view, Pixel value) noexcept {
    for (int y = 0; y < view.height; ++y)
        std::fill_n(view.Row(y), view.width, value);
}

void Copy(ConstView src, View dst) noexcept {
    for (int y = 0; y < dst.height; ++y)
        std::memcpy(dst.Row(y), src.Row(y), std::size_t(dst.width) * sizeof(Pixel));
}

void Layer::Resize(int width, int height) {
    width_ = std::max(width, 0);
    height_ = std::max(height, 0);
    pixels_.assign(std::size_t(width_) * height_, 0);
    scratch_.Reserve(Scratch::BytesFor(width_, height_));
}

} // namespace pkw::fx
