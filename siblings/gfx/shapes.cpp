// Filled and outlined rectangles and lines.
#include "siblings/gfx/gfx_exports.h"

#include "common/win/unique_handle.h"

namespace {

LONG PaintRect(HDC hdc, const RECT& rect, COLORREF color, LONG fill) {
    if (!hdc) return 0;
    // The DC's own brush in the colour: no brush object for each rectangle.
    const COLORREF previous = ::SetDCBrushColor(hdc, color & 0x00FFFFFF);
    if (previous == CLR_INVALID) return 0;
    const auto brush = static_cast<HBRUSH>(::GetStockObject(DC_BRUSH));
    const int done = fill ? ::FillRect(hdc, &rect, brush) : ::FrameRect(hdc, &rect, brush);
    ::SetDCBrushColor(hdc, previous);
    return done ? 1 : 0;
}

} // namespace

// fill nonzero paints the rectangle, 0 draws its one-pixel outline.
extern "C" LONG WINAPI gfxDrawRect(HDC hdc, const RECT* pRect, COLORREF color, LONG fill) {
    return pRect ? PaintRect(hdc, *pRect, color, fill) : 0;
}

extern "C" LONG WINAPI gfxDrawRect2(HDC hdc, LONG left, LONG top, LONG right, LONG bottom,
                                    COLORREF color, LONG fill) {
    return PaintRect(hdc, RECT{left, top, right, bottom}, color, fill);
}

// As LineTo: the end point itself is not drawn. A width below 1 draws 1.
extern "C" LONG WINAPI gfxDrawLine(HDC hdc, LONG x1, LONG y1, LONG x2, LONG y2, COLORREF color,
                                   LONG penWidth) {
    if (!hdc) return 0;
    pkw::UniquePen pen(::CreatePen(PS_SOLID, penWidth < 1 ? 1 : int(penWidth), color & 0x00FFFFFF));
    if (!pen) return 0;
    pkw::SelectedObject selected(hdc, pen.get());
    POINT previous{};
    if (!::MoveToEx(hdc, x1, y1, &previous)) return 0;
    const BOOL drawn = ::LineTo(hdc, x2, y2);
    ::MoveToEx(hdc, previous.x, previous.y, nullptr);
    return drawn ? 1 : 0;
}
