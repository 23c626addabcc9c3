#include "common/win/dib_section.h"

#include <algorithm>
#include <cstdint>
#include <utility>

namespace pkw {

DibSection& DibSection::operator=(DibSection&& other) noexcept {
    if (this != &other) {
        reset();
        dc_ = std::move(other.dc_);
        bitmap_ = std::move(other.bitmap_);
        original_ = std::exchange(other.original_, nullptr);
        pixels_ = std::exchange(other.pixels_, nullptr);
        width_ = std::exchange(other.width_, 0);
        height_ = std::exchange(other.height_, 0);
    }
    return *this;
}

UniqueBitmap CreateTopDownDib(int width, int height, void** bits) noexcept {
    if (bits) *bits = nullptr;
    if (width < 1 || height < 1) return UniqueBitmap();
    // The byte count must fit the 32-bit size of a DIB.
    if (static_cast<std::int64_t>(width) * height > 0x7FFFFFFF / 4) return UniqueBitmap();
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height; // top-down
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* pixels = nullptr;
    UniqueBitmap dib(::CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &pixels, nullptr, 0));
    if (!dib || !pixels) return UniqueBitmap();
    if (bits) *bits = pixels;
    return dib;
}

bool DibSection::create(int width, int height) noexcept {
    void* bits = nullptr;
    UniqueBitmap fresh = CreateTopDownDib(width, height, &bits);
    if (!fresh) return false;
    if (!dc_) {
        dc_.reset(::CreateCompatibleDC(nullptr));
        if (!dc_) return false;
    }
    const HGDIOBJ previous = ::SelectObject(dc_.get(), fresh.get());
    if (!previous || previous == HGDI_ERROR) return false;
    if (!original_) original_ = previous;
    bitmap_ = std::move(fresh); // the old one, no longer selected, goes
    pixels_ = static_cast<std::uint32_t*>(bits);
    width_ = width;
    height_ = height;
    return true;
}

void DibSection::reset() noexcept {
    if (dc_ && original_) ::SelectObject(dc_.get(), original_);
    bitmap_.reset();
    dc_.reset();
    original_ = nullptr;
    pixels_ = nullptr;
    width_ = height_ = 0;
}

void DibSection::fill(COLORREF color) const noexcept {
    if (!pixels_) return;
    ::GdiFlush();
    const auto pixel = static_cast<std::uint32_t>(GetRValue(color)) << 16 |
                       static_cast<std::uint32_t>(GetGValue(color)) << 8 | GetBValue(color);
    std::fill_n(pixels_, static_cast<std::size_t>(width_) * static_cast<std::size_t>(height_),
                pixel);
}

} // namespace pkw
