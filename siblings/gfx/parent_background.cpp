// gfxGetTransBG: what the parent shows behind a window, copied into a DC.
//
// The parent is asked to paint itself into memory (WM_ERASEBKGND and
// WM_PRINTCLIENT), which gives its own pixels even where the window covers
// them. Whether it answers WM_PRINTCLIENT is found out by letting it paint
// over two different fills: pixels it painted are equal in both. A parent
// that does not answer is read from its window DC when that shows its own
// pixels under the window (visible, and not clipping its children, see
// ChangeWindowStyle), after it has repainted that area; otherwise only its
// erased background is available.
#include "siblings/gfx/gfx_exports.h"

#include "siblings/gfx/dib_surface.h"

#include <cstddef>

namespace {

using pkw::sib::DibSurface;

struct Placement {
    HWND parent;
    POINT origin; // the window's client origin in the parent's client area
    int width;
    int height;
};

bool Locate(HWND hWnd, Placement& out) {
    if (!::IsWindow(hWnd)) return false;
    const HWND parent = ::GetAncestor(hWnd, GA_PARENT);
    if (!parent || parent == ::GetDesktopWindow()) return false;
    RECT client{};
    if (!::GetClientRect(hWnd, &client)) return false;
    POINT origin{0, 0};
    ::MapWindowPoints(hWnd, parent, &origin, 1);
    out = Placement{parent, origin, int(client.right), int(client.bottom)};
    return out.width > 0 && out.height > 0;
}

enum Steps : unsigned { kErase = 1, kPrint = 2 };

DibSurface PaintParent(const Placement& at, COLORREF fill, unsigned steps) {
    DibSurface surface(at.width, at.height);
    if (!surface.valid()) return surface;
    surface.fill(fill);
    const HDC dc = surface.dc();
    const int saved = ::SaveDC(dc);
    ::SetWindowOrgEx(dc, at.origin.x, at.origin.y, nullptr);
    if (steps & kErase) ::SendMessageW(at.parent, WM_ERASEBKGND, WPARAM(dc), 0);
    if (steps & kPrint) ::SendMessageW(at.parent, WM_PRINTCLIENT, WPARAM(dc), PRF_CLIENT);
    ::RestoreDC(dc, saved);
    ::GdiFlush();
    return surface;
}

bool AnswersPrintClient(const Placement& at) {
    const DibSurface black = PaintParent(at, RGB(0, 0, 0), kPrint);
    const DibSurface white = PaintParent(at, RGB(255, 255, 255), kPrint);
    if (!black.valid() || !white.valid()) return false;
    const std::size_t count = std::size_t(at.width) * std::size_t(at.height);
    for (std::size_t i = 0; i < count; ++i)
        if (black.pixels()[i] == white.pixels()[i]) return true; // painted by the parent
    return false;
}

bool ShowsOwnPixelsUnderChildren(HWND parent) {
    return ::IsWindowVisible(parent) && !(::GetWindowLongPtrW(parent, GWL_STYLE) & WS_CLIPCHILDREN);
}

bool CopyOut(HDC hdcDest, const Placement& at, HDC source, int sx, int sy) {
    return ::BitBlt(hdcDest, 0, 0, at.width, at.height, source, sx, sy, SRCCOPY) != FALSE;
}

} // namespace

extern "C" LONG WINAPI gfxGetTransBG(HDC hdcDest, HWND hWnd) {
    Placement at{};
    if (!hdcDest || !Locate(hWnd, at)) return 0;
    const COLORREF face = ::GetSysColor(COLOR_BTNFACE);
    if (AnswersPrintClient(at)) {
        const DibSurface painted = PaintParent(at, face, kErase | kPrint);
        return painted.valid() && CopyOut(hdcDest, at, painted.dc(), 0, 0) ? 1 : 0;
    }
    if (ShowsOwnPixelsUnderChildren(at.parent)) {
        // The screen under the window shows the window itself until the
        // parent paints there again.
        RECT area{at.origin.x, at.origin.y, at.origin.x + at.width, at.origin.y + at.height};
        ::RedrawWindow(at.parent, &area, nullptr,
                       RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW | RDW_NOCHILDREN);
        pkw::WindowDc parentDc(at.parent);
        if (parentDc && CopyOut(hdcDest, at, parentDc.get(), at.origin.x, at.origin.y)) return 1;
    }
    const DibSurface erased = PaintParent(at, face, kErase);
    return erased.valid() && CopyOut(hdcDest, at, erased.dc(), 0, 0) ? 1 : 0;
}
