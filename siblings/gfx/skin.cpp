// gfxDrawSkin: one frame of a skin image map, cut by its margins (see
// skin_layout.h) and composed off screen, then copied without the mask
// colour's pixels.
#include "siblings/gfx/gfx_exports.h"

#include "siblings/gfx/dib_surface.h"
#include "siblings/gfx/masked_copy.h"
#include "siblings/gfx/skin_layout.h"

#include <algorithm>

namespace {

using pkw::sib::DibSurface;
using namespace pkw::sib::gfx;

// Draws one piece: a unit (the source scaled along the stretched axes, as is
// along the tiled ones) is copied once, then repeated by doubling what is
// already there, so tiling a 1-pixel source costs a few blits only.
void DrawPiece(HDC target, HDC skin, const SkinPiece& piece) {
    const RECT& s = piece.source;
    const RECT& d = piece.destination;
    const int sw = s.right - s.left, sh = s.bottom - s.top;
    const int dw = d.right - d.left, dh = d.bottom - d.top;
    const int unitW = piece.tileH ? std::min(sw, dw) : dw;
    const int unitH = piece.tileV ? std::min(sh, dh) : dh;
    ::StretchBlt(target, d.left, d.top, unitW, unitH, skin, s.left, s.top, piece.tileH ? unitW : sw,
                 piece.tileV ? unitH : sh, SRCCOPY);
    for (int filled = unitW; filled < dw;) {
        const int n = std::min(filled, dw - filled);
        ::BitBlt(target, d.left + filled, d.top, n, unitH, target, d.left, d.top, SRCCOPY);
        filled += n;
    }
    for (int filled = unitH; filled < dh;) {
        const int n = std::min(filled, dh - filled);
        ::BitBlt(target, d.left, d.top + filled, dw, n, target, d.left, d.top, SRCCOPY);
        filled += n;
    }
}

SIZE SkinSize(HDC hdcSkin) {
    BITMAP info{};
    const HGDIOBJ bitmap = ::GetCurrentObject(hdcSkin, OBJ_BITMAP);
    if (!bitmap || ::GetObjectW(bitmap, sizeof(info), &info) != sizeof(info)) return {0, 0};
    return {info.bmWidth, info.bmHeight < 0 ? -info.bmHeight : info.bmHeight};
}

} // namespace

// Frame k of a vertical strip starts at row k x frameHeight; a frame size of
// 0 or less takes the whole image's. Regions 1 to 4 are the left, top, right
// and bottom edges (0 stretches, nonzero tiles); region 5, the centre, takes a
// tile mode 0 to 3. maskColor -1 draws the frame opaque.
extern "C" LONG WINAPI gfxDrawSkin(HDC hdc, HDC hdcSkin, LONG frame, const RECT* pMapMargin, LONG x,
                                   LONG y, LONG w, LONG h, LONG frameHeight, LONG frameWidth,
                                   LONG maskColor, LONG rgn1Mode, LONG rgn2Mode, LONG rgn3Mode,
                                   LONG rgn4Mode, LONG rgn5Mode) {
    if (!hdc || !hdcSkin || w <= 0 || h <= 0) return 0;
    const SIZE image = SkinSize(hdcSkin);
    const LONG fw = frameWidth > 0 ? frameWidth : image.cx;
    const LONG fh = frameHeight > 0 ? frameHeight : image.cy;
    const LONG top = std::max<LONG>(frame, 0) * fh;
    const RECT source{0, top, fw, top + fh};
    const RECT margins = pMapMargin ? *pMapMargin : RECT{0, 0, 0, 0};
    const auto pieces =
        LayoutSkin(source, margins, w, h, {rgn1Mode, rgn2Mode, rgn3Mode, rgn4Mode, rgn5Mode});
    if (pieces.empty()) return 0;

    // Starting from what the destination holds keeps it where no piece lands.
    DibSurface canvas(w, h);
    if (!canvas.valid()) return 0;
    ::BitBlt(canvas.dc(), 0, 0, w, h, hdc, x, y, SRCCOPY);
    ::SetStretchBltMode(canvas.dc(), COLORONCOLOR);
    for (const SkinPiece& piece : pieces)
        DrawPiece(canvas.dc(), hdcSkin, piece);
    return MaskedCopy(hdc, RECT{x, y, x + w, y + h}, canvas.dc(), RECT{0, 0, w, h},
                      MaskFromArgument(maskColor))
               ? 1
               : 0;
}
