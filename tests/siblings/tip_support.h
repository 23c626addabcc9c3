// The tip's window under test: a tool-tip object with a QueryPlacement sink
// that answers as the test says, an effect set shaped like the control's
// tool-tip set, and the screen to read the tip back from.
#pragma once

#include "globals_support.h"

#include "common/win/unique_handle.h"
#include "host/capture.h"
#include "host/message_loop.h"
#include "host/screen_lock.h"
#include "siblings/globals/effect_settings.h"

#include <gtest/gtest.h>

#include <string>

namespace pkw::globals_test {

using pkw::Bstr;

// The class the library registers for its tip windows.
inline constexpr wchar_t kTipClass[] = L"zelNuRichTip40";

inline BOOL CALLBACK collectTip(HWND hwnd, LPARAM found) {
    wchar_t name[64] = {};
    ::GetClassNameW(hwnd, name, 64);
    if (std::wstring_view(name) != kTipClass) return TRUE;
    *reinterpret_cast<HWND*>(found) = hwnd;
    return FALSE;
}

// This thread's tip window, shown or not; null when there is none.
inline HWND findTip() {
    HWND found = nullptr;
    ::EnumThreadWindows(::GetCurrentThreadId(), &collectTip, reinterpret_cast<LPARAM>(&found));
    return found;
}

inline HWND shownTip() {
    const HWND tip = findTip();
    return tip && ::IsWindowVisible(tip) ? tip : nullptr;
}

inline RECT windowRect(HWND hwnd) {
    RECT r{};
    ::GetWindowRect(hwnd, &r);
    return r;
}

inline RECT workAreaAt(POINT p) {
    MONITORINFO info{};
    info.cbSize = sizeof info;
    ::GetMonitorInfoW(::MonitorFromPoint(p, MONITOR_DEFAULTTONEAREST), &info);
    return info.rcWork;
}

inline bool contains(const RECT& outer, const RECT& inner) {
    return inner.left >= outer.left && inner.top >= outer.top && inner.right <= outer.right &&
           inner.bottom <= outer.bottom;
}

inline std::string text(const RECT& r) {
    return "{" + std::to_string(r.left) + ", " + std::to_string(r.top) + ", " +
           std::to_string(r.right) + ", " + std::to_string(r.bottom) + "}";
}

// The screen's pixels in `area` (screen coordinates).
inline pkw::host::Image screenPixels(const RECT& area) {
    return pkw::host::captureWindow(::GetDesktopWindow(), &area);
}

class TipWindow : public OleTest {
protected:
    void SetUp() override {
        OleTest::SetUp();
        newTip();
        effects_ = tipLook();
        ASSERT_EQ(tip_->SetEffects(effects_.Get()), S_OK);
        ASSERT_EQ(tip_->SetAnimateSteps(4), S_OK);
    }
    void TearDown() override {
        tip_.Reset();
        sink_.Reset();
        effects_.Reset();
        OleTest::TearDown();
    }

    // A new tool-tip object of `dll` with this test's sink connected.
    void newTip(const test::ServerDll& dll = globalsDll()) {
        tip_ = dll.create<IToolTip>(CLSID_ToolTip);
        ASSERT_TRUE(tip_);
        sink_ = answering(tip_.Get());
        advise(sink_.Get());
    }

    // Connects another sink to the tip's events (for as long as the tip lives).
    void advise(IUnknown* sink) { test::Advise(tip_.Get(), DIID_DToolTipEvents, sink); }

    // A set as the library makes the control's tool-tip set: the numbers
    // of the settings table's tool-tip column.
    static ComPtr<IEffectSet> tipLook() {
        ComPtr<IEffectSet> set = create<IEffectSet>(CLSID_EffectSet);
        for (const globals::EffectSettingInfo& row : globals::kEffectSettings) {
            if (!set || row.tipInit.kind != globals::DefaultKind::Number) continue;
            const std::wstring name(row.name);
            EXPECT_EQ(
                host::putProperty(set.Get(), name.c_str(), Variant::fromI4(row.tipInit.number)),
                S_OK);
        }
        return set;
    }

    // Shows the tip at `at` (screen) with `text`; the shown window or null.
    HWND show(POINT at, const std::wstring& text, LONG method = 0, SHORT xDisplay = 0,
              SHORT yDisplay = 0, bool cancel = false) {
        answer_ = Placement{at.x, at.y, xDisplay, yDisplay, cancel ? VARIANT_TRUE : VARIANT_FALSE};
        answerText_ = text;
        LONG result = -1;
        EXPECT_EQ(tip_->ShowTip(method, &result), S_OK);
        return shownTip();
    }

    // A sink that answers with answer_ and hands over answerText_ from
    // inside the event, as the check box does (none when empty).
    ComPtr<PlacementSink> answering(IToolTip* tip) {
        ComPtr<PlacementSink> sink = PlacementSink::make();
        // The tip holds the sink; the sink only borrows the tip.
        sink->answer = [this, tip](Placement& p) {
            p = answer_;
            if (!answer_.cancel && !answerText_.empty()) tip->SetTipText(Bstr(answerText_).get());
        };
        return sink;
    }

    POINT screenCentre() const {
        const RECT work = workAreaAt(POINT{0, 0});
        return POINT{(work.left + work.right) / 2, (work.top + work.bottom) / 2};
    }

    ComPtr<IToolTip> tip_;
    ComPtr<PlacementSink> sink_;
    Placement answer_;
    std::wstring answerText_;
    ComPtr<IEffectSet> effects_;
    // The tip shows on the screen, takes the foreground from no one and is
    // read back from the screen.
    pkw::host::ScreenLock screen_;
};

} // namespace pkw::globals_test
