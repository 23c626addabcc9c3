// Painting a window of the pages: the whole client area is drawn off
// screen and copied in one blit, for WM_PAINT and WM_PRINTCLIENT alike.
#pragma once

#include <windows.h>

namespace pkw::pages {

class BufferedView {
public:
    // Draws everything the window shows; `hdc` covers `client` pixels.
    virtual void draw(HDC hdc, SIZE client) noexcept = 0;

protected:
    ~BufferedView() = default;
};

// Answers WM_PAINT (printDc null) or WM_PRINTCLIENT (into printDc).
void PaintBuffered(HWND hwnd, HDC printDc, BufferedView& view) noexcept;

} // namespace pkw::pages
