// A 24-bit image held top row first.
#pragma once

#include "color.h"

#include <vector>

namespace pkw::images {

class Image {
public:
    Image() = default;
    Image(int width, int height, Rgb fill)
        : width_(width), height_(height), pixels_(std::size_t(width) * height, fill) {}

    int width() const { return width_; }
    int height() const { return height_; }
    Rgb& at(int x, int y) { return pixels_[std::size_t(y) * width_ + x]; }
    const Rgb& at(int x, int y) const { return pixels_[std::size_t(y) * width_ + x]; }
    bool operator==(const Image&) const = default;

private:
    int width_ = 0;
    int height_ = 0;
    std::vector<Rgb> pixels_;
};

// The w x h part of an image at (x, y).
Image Crop(const Image& image, int x, int y, int w, int h);

} // namespace pkw::images
