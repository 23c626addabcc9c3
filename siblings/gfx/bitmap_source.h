// A DC from which the pixels of a caller's bitmap can be copied.
//
// A bitmap can be selected into only one DC at a time, and a host's bitmap
// may already sit in one (a picture object's, say). Then its pixels are
// read with GetDIBits into a surface of our own instead.
#pragma once

#include "siblings/gfx/dib_surface.h"

namespace pkw::sib {

class BitmapSource {
public:
    // compatibleWith: the DC the pixels will be copied to (may be null).
    BitmapSource(HBITMAP bitmap, HDC compatibleWith);
    BitmapSource(const BitmapSource&) = delete;
    BitmapSource& operator=(const BitmapSource&) = delete;
    ~BitmapSource();

    bool valid() const noexcept { return dc_ != nullptr; }
    HDC dc() const noexcept { return dc_; }
    int width() const noexcept { return width_; }
    int height() const noexcept { return height_; }

private:
    UniqueMemoryDc selectDc_;
    HGDIOBJ old_ = nullptr;
    DibSurface copy_;
    HDC dc_ = nullptr;
    int width_ = 0;
    int height_ = 0;
};

} // namespace pkw::sib
