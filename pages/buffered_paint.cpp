#include "pages/buffered_paint.h"

#include "common/win/paint_buffer.h"
#include "common/win/unique_handle.h"

namespace pkw::pages {
namespace {

void DrawThrough(HDC target, SIZE client, BufferedView& view) noexcept {
    const PaintBuffer buffer(client.cx, client.cy);
    if (!buffer) {
        view.draw(target, client);
        return;
    }
    view.draw(buffer.dc(), client);
    ::BitBlt(target, 0, 0, client.cx, client.cy, buffer.dc(), 0, 0, SRCCOPY);
}

} // namespace

void PaintBuffered(HWND hwnd, HDC printDc, BufferedView& view) noexcept {
    RECT rc{};
    ::GetClientRect(hwnd, &rc);
    const SIZE client{rc.right - rc.left, rc.bottom - rc.top};
    if (printDc) {
        DrawThrough(printDc, client, view);
        return;
    }
    const PaintDc paint(hwnd);
    if (paint.get()) DrawThrough(paint.get(), client, view);
}

} // namespace pkw::pages
