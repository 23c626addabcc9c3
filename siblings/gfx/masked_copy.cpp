#include "siblings/gfx/masked_copy.h"

#include "siblings/gfx/color.h"

namespace pkw::sib::gfx {

std::optional<COLORREF> MaskFromArgument(LONG maskColor) {
    if (maskColor == -1) return std::nullopt;
    return TranslateOleColor(static_cast<OLE_COLOR>(maskColor), nullptr);
}

bool MaskedCopy(HDC hdc, const RECT& dst, HDC hdcSrc, const RECT& src,
                std::optional<COLORREF> mask) {
    const int dw = dst.right - dst.left, dh = dst.bottom - dst.top;
    const int sw = src.right - src.left, sh = src.bottom - src.top;
    if (!hdc || !hdcSrc || dw <= 0 || dh <= 0 || sw <= 0 || sh <= 0) return false;
    if (mask)
        return ::TransparentBlt(hdc, dst.left, dst.top, dw, dh, hdcSrc, src.left, src.top, sw, sh,
                                *mask) != FALSE;
    if (dw == sw && dh == sh)
        return ::BitBlt(hdc, dst.left, dst.top, dw, dh, hdcSrc, src.left, src.top, SRCCOPY) !=
               FALSE;
    const int oldMode = ::SetStretchBltMode(hdc, COLORONCOLOR);
    const BOOL done =
        ::StretchBlt(hdc, dst.left, dst.top, dw, dh, hdcSrc, src.left, src.top, sw, sh, SRCCOPY);
    if (oldMode) ::SetStretchBltMode(hdc, oldMode);
    return done != FALSE;
}

} // namespace pkw::sib::gfx
