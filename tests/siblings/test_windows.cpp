#include "test_windows.h"

#include "host/message_loop.h"

#include <gtest/gtest.h>

namespace pkw::test {

namespace {

BOOL CALLBACK AnyPending(HWND hwnd, LPARAM found) {
    if (::GetUpdateRect(hwnd, nullptr, FALSE)) *reinterpret_cast<bool*>(found) = true;
    return TRUE;
}

} // namespace

bool PumpUntilPainted(HWND top) {
    return host::pumpUntil([top] {
        bool pending = ::GetUpdateRect(top, nullptr, FALSE) != FALSE;
        ::EnumChildWindows(top, AnyPending, reinterpret_cast<LPARAM>(&pending));
        return !pending;
    });
}

void RegisterClassFor(const wchar_t* name, WNDPROC proc, HBRUSH background) {
    WNDCLASSW wc{};
    if (::GetClassInfoW(::GetModuleHandleW(nullptr), name, &wc)) return;
    wc.lpfnWndProc = proc;
    wc.hInstance = ::GetModuleHandleW(nullptr);
    wc.hCursor = ::LoadCursorW(nullptr, IDC_ARROW);
    wc.hbrBackground = background;
    wc.lpszClassName = name;
    ::RegisterClassW(&wc);
}

WindowPair MakeWindowPair(const wchar_t* parentClass, DWORD exStyle, DWORD style, const RECT& at,
                          LONG_PTR parentData, const wchar_t* childClass, const RECT& child,
                          LONG_PTR childData) {
    WindowPair pair;
    pair.parent.reset(::CreateWindowExW(exStyle, parentClass, L"", WS_POPUP | style, at.left,
                                        at.top, at.right - at.left, at.bottom - at.top, nullptr,
                                        nullptr, nullptr, nullptr));
    if (!pair.parent) return pair;
    ::SetWindowLongPtrW(pair.parent.get(), GWLP_USERDATA, parentData);
    pair.child = ::CreateWindowExW(0, childClass, L"", WS_CHILD | WS_VISIBLE, child.left, child.top,
                                   child.right - child.left, child.bottom - child.top,
                                   pair.parent.get(), nullptr, nullptr, nullptr);
    ::SetWindowLongPtrW(pair.child, GWLP_USERDATA, childData);
    ::ShowWindow(pair.parent.get(), SW_SHOWNOACTIVATE);
    PumpUntilPainted(pair.parent.get());
    return pair;
}

UniqueBitmap MakeBitmap(int w, int h, const std::function<COLORREF(int x, int y)>& pixel) {
    BITMAPINFO info{};
    info.bmiHeader = {sizeof(BITMAPINFOHEADER), w, -h, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    void* bits = nullptr;
    UniqueBitmap bitmap(::CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    auto* p = static_cast<std::uint32_t*>(bits);
    for (int y = 0; p && y < h; ++y)
        for (int x = 0; x < w; ++x)
            p[y * w + x] = sib::PixelFromColorRef(pixel(x, y));
    return bitmap;
}

sib::DibSurface MakeSurface(int w, int h, const std::function<COLORREF(int x, int y)>& pixel) {
    sib::DibSurface surface(w, h);
    ::GdiFlush();
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            surface.at(x, y) = sib::PixelFromColorRef(pixel(x, y));
    return surface;
}

void ExpectPixels(const sib::DibSurface& s, const std::function<COLORREF(int x, int y)>& expected) {
    for (int y = 0; y < s.height(); ++y)
        for (int x = 0; x < s.width(); ++x)
            ASSERT_EQ(PixelAt(s, x, y), expected(x, y)) << "at " << x << ", " << y;
}

} // namespace pkw::test
