// The text box's own drawing: a one-pixel frame around the back colour,
// composed off screen and copied in one blit; the edit window draws the
// text over it.
#include "textbox/nu_mtext40.h"

#include "common/win/dib_section.h"
#include "siblings/api/plain.h"

namespace pkw::textbox {

void NuMText40::DrawFrame() {
    if (!state_.m_bLoaded) return;
    try {
        RECT client{};
        ::GetClientRect(hwnd(), &client);
        if (client.right <= 0 || client.bottom <= 0) return;
        DibSection surface(client.right, client.bottom);
        if (!surface.valid()) return;
        surface.fill(RGB(255, 255, 255));
        const sib::GfxApi& gfx = sib::Gfx();
        const COLORREF back = gfx.gfxTranslateColor(state_.m_oBackColor, nullptr);
        const COLORREF border = gfx.gfxTranslateColor(state_.m_oBorderColor, nullptr);
        gfx.gfxDrawRect2(surface.dc(), 0, 0, client.right, client.bottom, border, 1);
        gfx.gfxDrawRect2(surface.dc(), 1, 1, client.right - 1, client.bottom - 1, back, 1);
        {
            const WindowDc window(hwnd());
            if (window)
                ::BitBlt(window.get(), 0, 0, client.right, client.bottom, surface.dc(), 0, 0,
                         SRCCOPY);
        }
        if (state_.m_hWndEdit) {
            // The edit window paints over the fresh frame.
            ::InvalidateRect(state_.m_hWndEdit.get(), nullptr, TRUE);
            ::UpdateWindow(state_.m_hWndEdit.get());
        }
    } catch (...) {
        // Drawing never fails the caller.
    }
}

void NuMText40::UpdateColors(bool skip, bool redraw) {
    colours_.releaseObjects();
    if (skip) return;
    const bool changed = colours_.update(state_.m_oBackColor, state_.m_oForeColor);
    if (changed && redraw && state_.m_hWndEdit)
        ::InvalidateRect(state_.m_hWndEdit.get(), nullptr, TRUE);
}

} // namespace pkw::textbox
