// gfxGetTransBG with real windows: a parent painting a pattern in which every
// pixel differs, and a child over it painting itself plain green.
#include "siblings/api/plain.h"

#include "test_windows.h"

#include "host/message_loop.h"
#include "host/screen_lock.h"

#include <gtest/gtest.h>

namespace {

using pkw::sib::DibSurface;
using pkw::sib::Gfx;

constexpr COLORREF kChildColor = RGB(0, 255, 0);
constexpr COLORREF kParentBrushColor = RGB(30, 160, 60);
constexpr COLORREF kSentinel = RGB(1, 2, 3);
constexpr LONG_PTR kAnswersPrintClient = 1;

COLORREF Pattern(int x, int y) {
    return RGB(x & 0xFF, y & 0xFF, 0x40);
}

void PaintPattern(HDC dc) {
    static const DibSurface pattern = pkw::test::MakeSurface(256, 256, Pattern);
    ::BitBlt(dc, 0, 0, 256, 256, pattern.dc(), 0, 0, SRCCOPY);
}

LRESULT CALLBACK ParentProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
    case WM_PAINT: {
        pkw::PaintDc paint(hwnd);
        PaintPattern(paint.get());
        return 0;
    }
    case WM_PRINTCLIENT:
        if (::GetWindowLongPtrW(hwnd, GWLP_USERDATA) & kAnswersPrintClient) {
            PaintPattern(reinterpret_cast<HDC>(wParam));
            return 0;
        }
        break;
    }
    return ::DefWindowProcW(hwnd, msg, wParam, lParam);
}

LRESULT CALLBACK ChildProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
    case WM_ERASEBKGND:
        return 1;
    case WM_PAINT: {
        pkw::PaintDc paint(hwnd);
        RECT r{};
        ::GetClientRect(hwnd, &r);
        pkw::UniqueBrush brush(::CreateSolidBrush(kChildColor));
        ::FillRect(paint.get(), &r, brush.get());
        return 0;
    }
    }
    return ::DefWindowProcW(hwnd, msg, wParam, lParam);
}

constexpr int kChildX = 30, kChildY = 20, kChildW = 40, kChildH = 30;

pkw::test::WindowPair MakeScene(DWORD parentStyle, bool answersPrintClient) {
    static const pkw::UniqueBrush brush(::CreateSolidBrush(kParentBrushColor));
    pkw::test::RegisterClassFor(L"PkwTestPatternParent", ParentProc, brush.get());
    pkw::test::RegisterClassFor(L"PkwTestSolidChild", ChildProc);
    return pkw::test::MakeWindowPair(L"PkwTestPatternParent", 0, parentStyle, {100, 100, 300, 250},
                                     answersPrintClient ? kAnswersPrintClient : 0,
                                     L"PkwTestSolidChild",
                                     {kChildX, kChildY, kChildX + kChildW, kChildY + kChildH});
}

struct Case {
    const char* what;
    DWORD parentStyle;
    bool answersPrintClient;
    bool expectPattern; // else the parent's class brush
};

TEST(GfxGetTransBG, CopiesWhatTheParentShowsUnderTheWindow) {
    const pkw::host::ScreenLock screen; // reads the screen
    const Case cases[] = {
        {"parent answers WM_PRINTCLIENT", WS_CLIPCHILDREN, true, true},
        {"parent paints under its children", 0, false, true},
        {"parent clips its children and cannot print", WS_CLIPCHILDREN, false, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const auto scene = MakeScene(c.parentStyle, c.answersPrintClient);
        ASSERT_TRUE(scene.parent && scene.child);
        // The screen under the child shows the child (once Wine has put it
        // there) before the capture.
        POINT p{kChildX + 5, kChildY + 5};
        ::ClientToScreen(scene.parent.get(), &p);
        EXPECT_TRUE(pkw::host::pumpUntil([&] {
            const pkw::WindowDc screen(nullptr);
            return ::GetPixel(screen.get(), p.x, p.y) == kChildColor;
        }));
        // A destination larger than the window keeps what lies beyond it.
        const DibSurface dest =
            pkw::test::MakeSurface(kChildW + 8, kChildH + 8, [](int, int) { return kSentinel; });
        ASSERT_EQ(Gfx().gfxGetTransBG(dest.dc(), scene.child), 1);
        pkw::test::ExpectPixels(dest, [&](int x, int y) {
            return x >= kChildW || y >= kChildH ? kSentinel
                   : c.expectPattern            ? Pattern(kChildX + x, kChildY + y)
                                                : kParentBrushColor;
        });
    }
}

TEST(GfxGetTransBG, AWindowWithoutAParentHasNothingBehindIt) {
    const pkw::host::ScreenLock screen; // shows a window
    const auto scene = MakeScene(0, true);
    ASSERT_TRUE(scene.parent);
    const DibSurface dest(10, 10);
    EXPECT_EQ(Gfx().gfxGetTransBG(dest.dc(), scene.parent.get()), 0);
    EXPECT_EQ(Gfx().gfxGetTransBG(dest.dc(), nullptr), 0);
    EXPECT_EQ(Gfx().gfxGetTransBG(nullptr, scene.child), 0);
}

} // namespace
