#include "host/patterned_background.h"

#include "common/win/unique_handle.h"

namespace pkw::host {
namespace {

// The window's own procedure, kept on the window while the pattern is on.
constexpr wchar_t kOldProc[] = L"pkw.PatternedBackground.proc";

LRESULT CALLBACK PatternProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    const auto old = reinterpret_cast<WNDPROC>(::GetPropW(hwnd, kOldProc));
    if (msg == WM_ERASEBKGND || msg == WM_PRINTCLIENT) {
        PatternedBackground::paint(hwnd, reinterpret_cast<HDC>(wParam));
        return msg == WM_ERASEBKGND ? 1 : 0;
    }
    return old ? ::CallWindowProcW(old, hwnd, msg, wParam, lParam)
               : ::DefWindowProcW(hwnd, msg, wParam, lParam);
}

} // namespace

PatternedBackground::PatternedBackground(HWND window) : window_(window) {
    const LONG_PTR old =
        ::SetWindowLongPtrW(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&PatternProc));
    ::SetPropW(window, kOldProc, reinterpret_cast<HANDLE>(old));
    ::InvalidateRect(window, nullptr, TRUE);
}

PatternedBackground::~PatternedBackground() {
    if (const HANDLE old = ::RemovePropW(window_, kOldProc))
        ::SetWindowLongPtrW(window_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(old));
    ::InvalidateRect(window_, nullptr, TRUE);
}

void PatternedBackground::paint(HWND window, HDC dc) {
    RECT client{};
    ::GetClientRect(window, &client);
    UniqueBrush light(::CreateSolidBrush(kLight));
    UniqueBrush dark(::CreateSolidBrush(kDark));
    for (LONG y = 0; y < client.bottom; y += kSquare)
        for (LONG x = 0; x < client.right; x += kSquare) {
            const RECT square{x, y, x + kSquare, y + kSquare};
            ::FillRect(dc, &square, colourAt(x, y) == kDark ? dark.get() : light.get());
        }
}

} // namespace pkw::host
