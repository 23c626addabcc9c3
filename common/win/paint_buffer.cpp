#include "common/win/paint_buffer.h"

#include "common/win/dib_section.h"

#include <algorithm>

namespace pkw {
namespace {

// Plain values: the bitmap goes with the thread's last user, so a thread's
// exit has nothing to run.
struct Scratch {
    HBITMAP bitmap = nullptr;
    std::uint32_t* pixels = nullptr;
    int width = 0;
    int height = 0;
    int users = 0;
    bool taken = false;
};
thread_local Scratch t_scratch;

void FreeScratch() noexcept {
    if (t_scratch.bitmap) ::DeleteObject(t_scratch.bitmap);
    t_scratch.bitmap = nullptr;
    t_scratch.pixels = nullptr;
    t_scratch.width = t_scratch.height = 0;
}

// The scratch bitmap, grown to hold width × height; null on failure.
HBITMAP GrowScratch(int width, int height) noexcept {
    if (t_scratch.bitmap && width <= t_scratch.width && height <= t_scratch.height)
        return t_scratch.bitmap;
    const int w = std::max(width, t_scratch.width), h = std::max(height, t_scratch.height);
    void* bits = nullptr;
    UniqueBitmap grown = CreateTopDownDib(w, h, &bits);
    if (!grown) return nullptr;
    FreeScratch();
    t_scratch.bitmap = grown.release();
    t_scratch.pixels = static_cast<std::uint32_t*>(bits);
    t_scratch.width = w;
    t_scratch.height = h;
    return t_scratch.bitmap;
}

} // namespace

PaintScratchUser::PaintScratchUser() noexcept {
    ++t_scratch.users;
}

PaintScratchUser::~PaintScratchUser() {
    if (--t_scratch.users == 0 && !t_scratch.taken) FreeScratch();
}

PaintBuffer::PaintBuffer(int width, int height) noexcept {
    if (width < 1 || height < 1) return;
    dc_.reset(::CreateCompatibleDC(nullptr));
    if (!dc_) return;
    HBITMAP bitmap = nullptr;
    if (!t_scratch.taken) {
        bitmap = GrowScratch(width, height);
        scratch_ = bitmap != nullptr;
        pixels_ = t_scratch.pixels;
        stride_ = t_scratch.width;
    }
    if (!bitmap) {
        void* bits = nullptr;
        own_ = CreateTopDownDib(width, height, &bits);
        bitmap = own_.get();
        pixels_ = static_cast<std::uint32_t*>(bits);
        stride_ = width;
    }
    width_ = width;
    height_ = height;
    if (!bitmap) return;
    original_ = ::SelectObject(dc_.get(), bitmap);
    if (!original_ || original_ == HGDI_ERROR) {
        original_ = nullptr;
        scratch_ = false;
        return;
    }
    t_scratch.taken = t_scratch.taken || scratch_;
    ready_ = true;
}

void PaintBuffer::fill(COLORREF color) const noexcept {
    if (!ready_ || !pixels_) return;
    ::GdiFlush(); // what GDI drew before lands first
    const std::uint32_t pixel = PixelFromColorRef(color);
    for (int y = 0; y < height_; ++y) {
        std::uint32_t* row =
            pixels_ + static_cast<std::size_t>(y) * static_cast<std::size_t>(stride_);
        std::fill(row, row + width_, pixel);
    }
}

PaintBuffer::~PaintBuffer() {
    if (original_) ::SelectObject(dc_.get(), original_);
    if (scratch_) {
        t_scratch.taken = false;
        // Painted by nobody who keeps it (no control of the thread holds a user).
        if (t_scratch.users == 0) FreeScratch();
    }
}

} // namespace pkw
