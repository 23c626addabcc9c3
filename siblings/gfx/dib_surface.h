// A memory DC holding a 32-bit top-down DIB section: pixels that GDI draws
// and that code can read and write directly.
#pragma once

#include "common/win/unique_handle.h"

#include <cstdint>

namespace pkw::sib {

// Pixels of a DIB are 0x00RRGGBB; COLORREF values are 0x00BBGGRR.
constexpr std::uint32_t PixelFromColorRef(COLORREF c) {
    return (GetRValue(c) << 16) | (GetGValue(c) << 8) | GetBValue(c);
}
constexpr COLORREF ColorRefFromPixel(std::uint32_t p) {
    return RGB((p >> 16) & 0xFF, (p >> 8) & 0xFF, p & 0xFF);
}

class DibSurface {
public:
    DibSurface() = default;
    // Check valid(): creation fails for sizes below 1 or without memory.
    DibSurface(int width, int height);
    DibSurface(DibSurface&& other) noexcept;
    DibSurface& operator=(DibSurface&& other) noexcept;
    ~DibSurface();

    bool valid() const noexcept { return dc_ && bitmap_; }
    HDC dc() const noexcept { return dc_.get(); }
    HBITMAP bitmap() const noexcept { return bitmap_.get(); }
    int width() const noexcept { return width_; }
    int height() const noexcept { return height_; }
    // Row-major, top row first; GdiFlush() before reading what GDI drew.
    std::uint32_t* pixels() const noexcept { return pixels_; }
    std::uint32_t& at(int x, int y) const noexcept { return pixels_[y * width_ + x]; }

    void Fill(COLORREF color) const noexcept;

private:
    void Reset() noexcept;

    UniqueBitmap bitmap_;
    UniqueMemoryDc dc_;
    HGDIOBJ old_ = nullptr;
    std::uint32_t* pixels_ = nullptr;
    int width_ = 0;
    int height_ = 0;
};

} // namespace pkw::sib
