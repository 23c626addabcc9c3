// Copying bitmaps and DCs onto a DC: scaled, clipped or with a mask colour.
#include "siblings/gfx/gfx_exports.h"

#include "siblings/gfx/bitmap_source.h"
#include "siblings/gfx/masked_copy.h"

#include <algorithm>

namespace {

using pkw::sib::BitmapSource;
using pkw::sib::gfx::MaskedCopy;
using pkw::sib::gfx::MaskFromArgument;

// A source extent of 0 or less means "to the edge of the bitmap".
RECT SourceRect(const BitmapSource& source, LONG srcX, LONG srcY, LONG srcW, LONG srcH) {
    const LONG w = srcW > 0 ? srcW : source.width() - srcX;
    const LONG h = srcH > 0 ? srcH : source.height() - srcY;
    return RECT{srcX, srcY, srcX + w, srcY + h};
}

} // namespace

// stretch nonzero scales the source rectangle to w x h (smoothly when it
// shrinks); 0 copies it unscaled, clipped to w x h.
extern "C" LONG WINAPI gfxDrawBitmapToDC(HDC hdc, HBITMAP hBitmap, LONG x, LONG y, LONG w, LONG h,
                                         LONG /*reserved*/, LONG stretch, LONG srcX, LONG srcY,
                                         LONG srcW, LONG srcH) {
    if (!hdc || w <= 0 || h <= 0) return 0;
    BitmapSource source(hBitmap, hdc);
    if (!source.valid()) return 0;
    const RECT src = SourceRect(source, srcX, srcY, srcW, srcH);
    const LONG sw = src.right - src.left, sh = src.bottom - src.top;
    if (sw <= 0 || sh <= 0) return 0;
    if (!stretch)
        return ::BitBlt(hdc, x, y, std::min(w, sw), std::min(h, sh), source.dc(), src.left, src.top,
                        SRCCOPY)
                   ? 1
                   : 0;
    const bool shrinks = w < sw || h < sh;
    const int oldMode = ::SetStretchBltMode(hdc, shrinks ? HALFTONE : COLORONCOLOR);
    POINT oldOrigin{};
    if (shrinks) ::SetBrushOrgEx(hdc, 0, 0, &oldOrigin);
    const BOOL done =
        ::StretchBlt(hdc, x, y, w, h, source.dc(), src.left, src.top, sw, sh, SRCCOPY);
    if (shrinks) ::SetBrushOrgEx(hdc, oldOrigin.x, oldOrigin.y, nullptr);
    if (oldMode) ::SetStretchBltMode(hdc, oldMode);
    return done ? 1 : 0;
}

// maskColor -1: the bitmap is copied opaque (a picture without a mask colour
// of its own); any other value leaves that colour's pixels out.
extern "C" LONG WINAPI gfxDrawTransparentBitmap(HDC hdc, HBITMAP hBitmap, LONG x, LONG y, LONG w,
                                                LONG h, LONG /*reserved1*/, LONG /*reserved2*/,
                                                LONG srcX, LONG srcY, LONG srcW, LONG srcH,
                                                LONG maskColor) {
    if (!hdc) return 0;
    BitmapSource source(hBitmap, hdc);
    if (!source.valid()) return 0;
    const RECT src = SourceRect(source, srcX, srcY, srcW, srcH);
    return MaskedCopy(hdc, RECT{x, y, x + w, y + h}, source.dc(), src, MaskFromArgument(maskColor))
               ? 1
               : 0;
}

// A source extent of 0 or less takes the destination's.
extern "C" LONG WINAPI gfxDrawTransparentDC(HDC hdc, HDC hdcSrc, LONG x, LONG y, LONG w, LONG h,
                                            LONG /*reserved1*/, LONG /*reserved2*/, LONG srcX,
                                            LONG srcY, LONG srcW, LONG srcH, LONG maskColor) {
    const RECT src{srcX, srcY, srcX + (srcW > 0 ? srcW : w), srcY + (srcH > 0 ? srcH : h)};
    return MaskedCopy(hdc, RECT{x, y, x + w, y + h}, hdcSrc, src, MaskFromArgument(maskColor)) ? 1
                                                                                               : 0;
}
