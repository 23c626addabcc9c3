#include "pages/about_box_drawing.h"

#include "pages/product_panel.h"
#include "siblings/api/static_image.h"

namespace pkw::pages {
namespace {

// A strip of three frames side by side.
constexpr LONG kCloseStrip = 2000;
constexpr SIZE kFrameSize{76, 25};
// The frame's left edge in the strip, by CloseButtonState.
constexpr int kFrameLeft[] = {0 /* normal */, 154 /* pressed */, 77 /* hot */};
// The button's distance from the client area's right and bottom edges.
constexpr SIZE kFromCorner{82, 32};

} // namespace

void DrawAboutBox(HDC hdc, SIZE client, ax::units::TwipsPerPixel tpp, CloseButtonState button,
                  int year) noexcept {
    DrawProductPanel(hdc, client, tpp, year);
    const sib::StaticImage strip(kCloseStrip);
    if (!strip) return;
    ::BitBlt(hdc, client.cx - kFromCorner.cx, client.cy - kFromCorner.cy, kFrameSize.cx,
             kFrameSize.cy, strip.dc(), kFrameLeft[static_cast<int>(button)], 0, SRCCOPY);
}

} // namespace pkw::pages
