// Window helpers of the controls that draw over their parent's background.
#include "siblings/mfc/mfc_exports.h"

namespace {

HWND ParentOf(HWND hWnd) {
    if (!::IsWindow(hWnd)) return nullptr;
    const HWND parent = ::GetAncestor(hWnd, GA_PARENT);
    return parent == ::GetDesktopWindow() ? nullptr : parent;
}

} // namespace

// The cursor is within the window's rectangle and no other window covers it
// there (the window's own children count as the window).
extern "C" LONG WINAPI IsMouseOver(HWND hWnd) {
    if (!::IsWindow(hWnd)) return 0;
    POINT cursor{};
    RECT rect{};
    if (!::GetCursorPos(&cursor) || !::GetWindowRect(hWnd, &rect)) return 0;
    if (!::PtInRect(&rect, cursor)) return 0;
    const HWND under = ::WindowFromPoint(cursor);
    return under == hWnd || ::IsChild(hWnd, under) ? 1 : 0;
}

// The parent repaints the area under the window now; its other children and
// the window itself are left alone.
extern "C" LONG WINAPI UpdateParent(HWND hWnd) {
    const HWND parent = ParentOf(hWnd);
    if (!parent) return 0;
    RECT rect{};
    if (!::GetWindowRect(hWnd, &rect)) return 0;
    ::MapWindowPoints(HWND_DESKTOP, parent, reinterpret_cast<POINT*>(&rect), 2);
    return ::RedrawWindow(parent, &rect, nullptr,
                          RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW | RDW_NOCHILDREN)
               ? 1
               : 0;
}

// A control that shows its parent through itself needs the parent to paint
// under it: the parent stops clipping its children, so that its repaint
// (UpdateParent) reaches the screen under the control, where the background
// capture can read it. Calling it again changes nothing.
extern "C" LONG WINAPI ChangeWindowStyle(HWND hWnd) {
    const HWND parent = ParentOf(hWnd);
    if (!parent) return 0;
    const LONG_PTR style = ::GetWindowLongPtrW(parent, GWL_STYLE);
    if (style & WS_CLIPCHILDREN)
        ::SetWindowLongPtrW(parent, GWL_STYLE, style & ~LONG_PTR(WS_CLIPCHILDREN));
    return 1;
}
