// A 32-bit top-down DIB section selected into its own memory DC: pixels
// that GDI draws and that code reads and writes directly, one 0x00RRGGBB
// value per pixel, the top row first.
#pragma once

#include "common/win/unique_handle.h"

#include <windows.h>

#include <cstddef>
#include <cstdint>

namespace pkw {

// Pixels of a DIB are 0x00RRGGBB; COLORREF values are 0x00BBGGRR.
constexpr std::uint32_t PixelFromColorRef(COLORREF c) {
    return (GetRValue(c) << 16) | (GetGValue(c) << 8) | GetBValue(c);
}
constexpr COLORREF ColorRefFromPixel(std::uint32_t p) {
    return RGB((p >> 16) & 0xFF, (p >> 8) & 0xFF, p & 0xFF);
}

// A 32-bit top-down DIB section of width × height pixels, not selected
// anywhere; empty for sizes below 1, above the 32-bit limit, or without
// memory. `bits`, when given, receives its pixels.
UniqueBitmap CreateTopDownDib(int width, int height, void** bits = nullptr) noexcept;

class DibSection {
public:
    DibSection() = default;
    // Check valid(): creation fails for sizes below 1 or without memory.
    DibSection(int width, int height) noexcept { create(width, height); }
    DibSection(DibSection&& other) noexcept { *this = static_cast<DibSection&&>(other); }
    DibSection& operator=(DibSection&& other) noexcept;
    ~DibSection() { reset(); }

    // New pixels of this size (contents undefined). The DC, once made, stays
    // the same for the object's life; on failure nothing changes.
    bool create(int width, int height) noexcept;
    // Pixels of this size: the current ones when the size is already this
    // (contents kept), else new ones as create() makes them.
    bool resize(int width, int height) noexcept {
        return (valid() && width == width_ && height == height_) || create(width, height);
    }
    void reset() noexcept;

    bool valid() const noexcept { return pixels_ != nullptr; }
    HDC dc() const noexcept { return dc_.get(); }
    HBITMAP bitmap() const noexcept { return bitmap_.get(); }
    int width() const noexcept { return width_; }
    int height() const noexcept { return height_; }
    SIZE size() const noexcept { return SIZE{width_, height_}; }
    // GdiFlush() before reading what GDI drew.
    std::uint32_t* pixels() const noexcept { return pixels_; }
    std::uint32_t& at(int x, int y) const noexcept {
        return pixels_[static_cast<std::size_t>(y) * static_cast<std::size_t>(width_) +
                       static_cast<std::size_t>(x)];
    }
    void fill(COLORREF color) const noexcept;

private:
    UniqueMemoryDc dc_;
    UniqueBitmap bitmap_;
    HGDIOBJ original_ = nullptr; // the DC's own bitmap, put back before either goes
    std::uint32_t* pixels_ = nullptr;
    int width_ = 0;
    int height_ = 0;
};

} // namespace pkw
