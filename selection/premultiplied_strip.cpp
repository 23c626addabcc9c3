#include "selection/premultiplied_strip.h"

#include <cstdint>

namespace pkw::selection {
namespace {

HBITMAP SourceBitmap(HDC source) noexcept {
    return source ? static_cast<HBITMAP>(::GetCurrentObject(source, OBJ_BITMAP)) : nullptr;
}

// The mask colour becomes transparent black, every other pixel opaque.
bool Premultiply(DibSection& copy, HDC source, int width, int height, COLORREF mask) noexcept {
    if (!copy.create(width, height)) return false;
    if (!::BitBlt(copy.dc(), 0, 0, width, height, source, 0, 0, SRCCOPY)) return false;
    ::GdiFlush();
    const std::uint32_t key = PixelFromColorRef(mask);
    std::uint32_t* p = copy.pixels();
    for (std::size_t i = 0, n = std::size_t(width) * std::size_t(height); i < n; ++i)
        p[i] = (p[i] & 0xFFFFFF) == key ? 0 : (p[i] | 0xFF000000u);
    return true;
}

} // namespace

bool PremultipliedStrip::matches(HDC source, COLORREF mask) const noexcept {
    return shared_ && shared_->source == SourceBitmap(source) && shared_->mask == mask;
}

PremultipliedStrip PremultipliedStrip::Of(HDC source, COLORREF mask) noexcept {
    PremultipliedStrip strip;
    const HBITMAP bitmap = SourceBitmap(source);
    BITMAP info{};
    if (!bitmap || ::GetObjectW(bitmap, sizeof info, &info) != sizeof info) return strip;
    strip.shared_ = ThreadShared<Entry>::Of(
        [&](const Entry& e) { return e.source == bitmap && e.mask == mask; },
        [&](Entry& e) {
            e.source = bitmap;
            e.mask = mask;
            return Premultiply(e.copy, source, info.bmWidth, info.bmHeight, mask);
        });
    return strip;
}

bool PremultipliedStrip::draw(HDC target, int x, int y, int w, int h, int srcX,
                              int srcY) const noexcept {
    if (!shared_) return false;
    const BLENDFUNCTION blend{AC_SRC_OVER, 0, 255, AC_SRC_ALPHA};
    return ::GdiAlphaBlend(target, x, y, w, h, shared_->copy.dc(), srcX, srcY, w, h, blend) !=
           FALSE;
}

} // namespace pkw::selection
