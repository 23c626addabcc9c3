// Helpers of the sibling tests that use windows and pixels.
//
//   PumpUntilPainted pumps messages until no window of a tree waits for a paint
//   RegisterClassFor registers a window class for a test's window procedure, once
//   MakeWindowPair   a shown popup window with a child, painted
//   MakeBitmap       a bitmap (or surface) with given pixels
//   PixelAt          a pixel of a surface as COLORREF
//   ExpectPixels     every pixel of a surface as a function says
#pragma once

#include "common/win/unique_handle.h"
#include "siblings/gfx/dib_surface.h"

#include <functional>

namespace pkw::test {

// Dispatches what is queued now, then waits until no window of this thread
// has a pending paint (or the deadline passes).
bool PumpUntilPainted(HWND top);

// Registers a class named name with the procedure (a no-op when it exists).
void RegisterClassFor(const wchar_t* name, WNDPROC proc, HBRUSH background = nullptr);

// A popup window at `at` (screen) of the parent class, not activated, with
// one visible child of the child class at `child` (client coordinates);
// each window's GWLP_USERDATA set before the first paint, which is awaited.
struct WindowPair {
    UniqueWindow parent;
    HWND child = nullptr;
};
WindowPair MakeWindowPair(const wchar_t* parentClass, DWORD exStyle, DWORD style, const RECT& at,
                          LONG_PTR parentData, const wchar_t* childClass, const RECT& child,
                          LONG_PTR childData = 0);

// A 32-bit DIB section of w x h, selected nowhere, with pixel(x, y) as COLORREF.
UniqueBitmap MakeBitmap(int w, int h, const std::function<COLORREF(int x, int y)>& pixel);

// A surface of w x h filled with pixel(x, y).
sib::DibSurface MakeSurface(int w, int h, const std::function<COLORREF(int x, int y)>& pixel);

inline COLORREF PixelAt(const sib::DibSurface& s, int x, int y) {
    ::GdiFlush();
    return sib::ColorRefFromPixel(s.at(x, y));
}

// Expects every pixel (x, y) of s to be expected(x, y); stops at the first
// that is not.
void ExpectPixels(const sib::DibSurface& s, const std::function<COLORREF(int x, int y)>& expected);

} // namespace pkw::test
