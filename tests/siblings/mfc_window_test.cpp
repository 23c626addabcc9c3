// The window helpers of zelMFC40 with real windows.
#include "siblings/api/plain.h"

#include "test_windows.h"

#include "host/message_loop.h"
#include "host/screen_lock.h"

#include <gtest/gtest.h>

namespace {

using pkw::sib::Mfc;

struct PaintLog {
    int count = 0;
    RECT area{};
};

LRESULT CALLBACK LoggingProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_PAINT) {
        pkw::PaintDc paint(hwnd);
        if (auto* log = reinterpret_cast<PaintLog*>(::GetWindowLongPtrW(hwnd, GWLP_USERDATA))) {
            ++log->count;
            log->area = paint.area();
        }
        return 0;
    }
    return ::DefWindowProcW(hwnd, msg, wParam, lParam);
}

struct Scene {
    pkw::host::ScreenLock screen; // a topmost window, and the cursor moves over it
    PaintLog parentLog, childLog;
    pkw::test::WindowPair windows;
};

// A parent at (200, 200), 160 x 120, with a child at (40, 30), 50 x 20.
bool Make(Scene& scene, DWORD parentStyle) {
    pkw::test::RegisterClassFor(L"PkwTestLoggingWindow", LoggingProc,
                                ::GetSysColorBrush(COLOR_WINDOW));
    scene.windows = pkw::test::MakeWindowPair(L"PkwTestLoggingWindow", WS_EX_TOPMOST, parentStyle,
                                              {200, 200, 360, 320}, LONG_PTR(&scene.parentLog),
                                              L"PkwTestLoggingWindow", {40, 30, 90, 50},
                                              LONG_PTR(&scene.childLog));
    return scene.windows.child != nullptr;
}

bool MoveCursor(int x, int y) {
    ::SetCursorPos(x, y);
    return pkw::host::pumpUntil([&] {
        POINT p{};
        return ::GetCursorPos(&p) && p.x == x && p.y == y;
    });
}

TEST(UpdateParent, TheParentRepaintsTheAreaUnderTheWindowAtOnce) {
    Scene scene;
    ASSERT_TRUE(Make(scene, 0));
    scene.parentLog = {};
    scene.childLog = {};
    EXPECT_EQ(Mfc().UpdateParent(scene.windows.child), 1);
    EXPECT_EQ(scene.parentLog.count, 1) << "painted before UpdateParent returns";
    RECT under{40, 30, 90, 50}, both{};
    ::UnionRect(&both, &under, &scene.parentLog.area);
    EXPECT_TRUE(::EqualRect(&both, &scene.parentLog.area)) << "the paint covers the window's area";
    EXPECT_EQ(scene.childLog.count, 0) << "the window itself is not repainted";
    EXPECT_EQ(Mfc().UpdateParent(scene.windows.parent.get()), 0)
        << "a top-level window has no parent";
    EXPECT_EQ(Mfc().UpdateParent(nullptr), 0);
}

TEST(ChangeWindowStyle, TheParentStopsClippingItsChildrenOnceForAll) {
    Scene scene;
    ASSERT_TRUE(Make(scene, WS_CLIPCHILDREN));
    const LONG_PTR before = ::GetWindowLongPtrW(scene.windows.parent.get(), GWL_STYLE);
    EXPECT_EQ(Mfc().ChangeWindowStyle(scene.windows.child), 1);
    const LONG_PTR after = ::GetWindowLongPtrW(scene.windows.parent.get(), GWL_STYLE);
    EXPECT_EQ(after, before & ~LONG_PTR(WS_CLIPCHILDREN));
    EXPECT_EQ(Mfc().ChangeWindowStyle(scene.windows.child), 1);
    EXPECT_EQ(::GetWindowLongPtrW(scene.windows.parent.get(), GWL_STYLE), after)
        << "a second call changes nothing";
    EXPECT_EQ(Mfc().ChangeWindowStyle(nullptr), 0);
}

TEST(IsMouseOver, TheCursorMustBeOverTheWindowAndNotCovered) {
    Scene scene;
    ASSERT_TRUE(Make(scene, 0));
    const HWND parent = scene.windows.parent.get();
    struct Case {
        const char* where;
        int x, y;
        LONG overParent, overChild;
    };
    const Case cases[] = {
        {"on the parent only", 210, 210, 1, 0},
        {"on the child", 250, 240, 1, 1}, // a child counts as its parent
        {"just past the right edge", 360, 210, 0, 0},
    };
    for (const Case& c : cases) {
        ASSERT_TRUE(MoveCursor(c.x, c.y)) << c.where;
        EXPECT_EQ(Mfc().IsMouseOver(parent), c.overParent) << c.where;
        EXPECT_EQ(Mfc().IsMouseOver(scene.windows.child), c.overChild) << c.where;
    }
    // Another window on top hides the parent from the cursor.
    pkw::UniqueWindow cover(::CreateWindowExW(WS_EX_TOPMOST, L"PkwTestLoggingWindow", L"",
                                              WS_POPUP | WS_VISIBLE, 205, 205, 20, 20, nullptr,
                                              nullptr, nullptr, nullptr));
    ASSERT_TRUE(cover);
    ASSERT_TRUE(MoveCursor(210, 210));
    EXPECT_EQ(Mfc().IsMouseOver(parent), 0);
    EXPECT_EQ(Mfc().IsMouseOver(nullptr), 0);
}

} // namespace
