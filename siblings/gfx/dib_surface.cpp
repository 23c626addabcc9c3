#include "siblings/gfx/dib_surface.h"

#include <algorithm>
#include <utility>

namespace pkw::sib {

DibSurface::DibSurface(int width, int height) {
    if (width < 1 || height < 1) return;
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height; // top-down
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    UniqueBitmap bitmap(::CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    UniqueMemoryDc dc(::CreateCompatibleDC(nullptr));
    if (!bitmap || !dc || !bits) return;
    old_ = ::SelectObject(dc.get(), bitmap.get());
    bitmap_ = std::move(bitmap);
    dc_ = std::move(dc);
    pixels_ = static_cast<std::uint32_t*>(bits);
    width_ = width;
    height_ = height;
}

DibSurface::DibSurface(DibSurface&& other) noexcept {
    *this = std::move(other);
}

DibSurface& DibSurface::operator=(DibSurface&& other) noexcept {
    if (this != &other) {
        Reset();
        bitmap_ = std::move(other.bitmap_);
        dc_ = std::move(other.dc_);
        old_ = std::exchange(other.old_, nullptr);
        pixels_ = std::exchange(other.pixels_, nullptr);
        width_ = std::exchange(other.width_, 0);
        height_ = std::exchange(other.height_, 0);
    }
    return *this;
}

DibSurface::~DibSurface() {
    Reset();
}

void DibSurface::Reset() noexcept {
    // The bitmap goes back out of the DC before either is deleted.
    if (dc_ && old_) ::SelectObject(dc_.get(), old_);
    dc_.reset();
    bitmap_.reset();
    old_ = nullptr;
    pixels_ = nullptr;
    width_ = height_ = 0;
}

void DibSurface::Fill(COLORREF color) const noexcept {
    if (!pixels_) return;
    ::GdiFlush();
    std::fill_n(pixels_, std::size_t(width_) * std::size_t(height_), PixelFromColorRef(color));
}

} // namespace pkw::sib
