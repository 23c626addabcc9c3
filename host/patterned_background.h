// A checkerboard for a form to paint instead of its back colour, so that
// what a transparent control lets through can be seen (and told apart from
// a plain fill) in tests and pictures.
#pragma once

#include <windows.h>

namespace pkw::host {

class PatternedBackground {
public:
    static constexpr LONG kSquare = 8;
    static constexpr COLORREF kLight = RGB(250, 235, 200);
    static constexpr COLORREF kDark = RGB(120, 170, 210);

    // The window paints the pattern (WM_ERASEBKGND, WM_PRINTCLIENT) while
    // this lives.
    explicit PatternedBackground(HWND window);
    ~PatternedBackground();
    PatternedBackground(const PatternedBackground&) = delete;
    PatternedBackground& operator=(const PatternedBackground&) = delete;

    // The pattern's colour at a point of the window's client area.
    static COLORREF colourAt(LONG x, LONG y) noexcept {
        return ((x / kSquare + y / kSquare) % 2) ? kDark : kLight;
    }
    static void paint(HWND window, HDC dc);

private:
    HWND window_;
};

} // namespace pkw::host
