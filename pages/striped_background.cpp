#include "pages/striped_background.h"

#include "siblings/api/plain.h"

namespace pkw::pages {

void DrawStripedBackground(HDC hdc, SIZE client) noexcept {
    const RECT all{0, 0, client.cx, client.cy};
    ::FillRect(hdc, &all, ::GetSysColorBrush(COLOR_BTNFACE));
    const sib::GfxApi& gfx = sib::Gfx();
    for (LONG y = 0; y < client.cy; y += 2)
        gfx.gfxDrawLine(hdc, 0, y, client.cx, y, kStripeColor, 1);
}

} // namespace pkw::pages
