// The tool tip's window as a user meets it: where it stands, what it shows,
// how it goes away, and that it never gets in the user's way.
#include "tip_support.h"

#include "common/win/unique_handle.h"
#include "host/gdi_objects.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

namespace {

using namespace pkw::globals_test;
using pkw::Bstr;
using pkw::host::pumpUntil;

const std::wstring kSentence = L"Keeps you signed in on this computer for two weeks.";

TEST_F(TipWindow, AppearsWithoutTakingTheFocusOrTheMouse) {
    // A window of the user's that has the focus.
    pkw::UniqueWindow user(::CreateWindowExW(0, L"EDIT", L"", WS_POPUP | WS_VISIBLE | WS_BORDER, 40,
                                             40, 200, 30, nullptr, nullptr, nullptr, nullptr));
    ASSERT_TRUE(user);
    ::SetForegroundWindow(user.get());
    ::SetFocus(user.get());
    ASSERT_EQ(::GetFocus(), user.get());

    const POINT at = screenCentre();
    const HWND tip = show(at, kSentence);
    ASSERT_NE(tip, nullptr) << "a visible tip window of the class, on this thread";
    EXPECT_TRUE(::GetWindowLongPtrW(tip, GWL_EXSTYLE) & WS_EX_TOPMOST);
    EXPECT_EQ(::GetFocus(), user.get());
    EXPECT_EQ(::GetActiveWindow(), user.get());
    EXPECT_EQ(::GetForegroundWindow(), user.get());

    // The control under the tip keeps the mouse: the tip is never the
    // window at a point, not even inside its own body.
    const RECT r = windowRect(tip);
    const POINT inside[] = {at, {(r.left + r.right) / 2, (r.top + r.bottom) / 2}};
    for (const POINT& p : inside)
        EXPECT_NE(::WindowFromPoint(p), tip) << p.x << ", " << p.y;
    EXPECT_EQ(::SendMessageW(tip, WM_MOUSEACTIVATE, 0, 0), MA_NOACTIVATE);
}

TEST_F(TipWindow, StandsByItsPointAndOnTheWorkArea) {
    // Where the window's middle stands from the point, along one axis.
    enum Side { Before = -1, Across = 0, After = 1 };
    const auto side = [](LONG first, LONG last, LONG at) {
        const LONG mid = (first + last) / 2;
        return std::abs(mid - at) <= (last - first) / 8 ? Across : mid < at ? Before : After;
    };
    struct Case {
        const char* what;
        double fx, fy; // the point, as a fraction of the work area
        SHORT xDisplay, yDisplay;
        Side horizontal, vertical;
    };
    const Case cases[] = {
        {"middle, automatic", 0.5, 0.5, 0, 0, After, After},
        {"right edge", 1.0, 0.5, 0, 0, Before, After},
        {"bottom-right corner", 1.0, 1.0, 0, 0, Before, Before},
        {"middle, left and above", 0.5, 0.5, 2, 2, Before, Before},
        {"middle, centred below", 0.5, 0.5, 3, 1, Across, After},
        {"middle, right and above", 0.5, 0.5, 1, 2, After, Before},
        {"unknown values count as automatic", 0.5, 0.5, 7, -1, After, After},
    };
    const RECT work = workAreaAt(POINT{0, 0});
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const POINT at{work.left + LONG(c.fx * (work.right - work.left - 1)),
                       work.top + LONG(c.fy * (work.bottom - work.top - 1))};
        const HWND tip = show(at, kSentence, 0, c.xDisplay, c.yDisplay);
        ASSERT_NE(tip, nullptr);
        const RECT r = windowRect(tip);
        SCOPED_TRACE(text(r));
        EXPECT_TRUE(contains(work, r)) << "on " << text(work);
        RECT around = r;
        ::InflateRect(&around, 2, 2);
        EXPECT_TRUE(::PtInRect(&around, at)) << "names " << at.x << ", " << at.y;
        EXPECT_EQ(side(r.left, r.right, at.x), c.horizontal);
        EXPECT_EQ(side(r.top, r.bottom, at.y), c.vertical);
        ASSERT_EQ(tip_->HideTip(0), S_OK);
    }
}

TEST_F(TipWindow, ForcedPlacementAndHugeTextsStillKeepItOnTheWorkArea) {
    const RECT work = workAreaAt(POINT{0, 0});
    const POINT middle{(work.left + work.right) / 2, (work.top + work.bottom) / 2};
    std::wstring oneLongLine;
    std::wstring manyLines;
    for (int i = 0; i < 400; ++i) {
        oneLongLine += L"word ";
        manyLines += L"line\n";
    }
    struct Case {
        const char* what;
        POINT at;
        SHORT xDisplay, yDisplay;
        bool wrap;
        const std::wstring& text;
    };
    const Case cases[] = {
        {"below at the bottom edge", {middle.x, work.bottom - 3}, 1, 1, true, kSentence},
        {"centred at a corner", {work.left, work.top}, 3, 2, true, kSentence},
        {"far off the screen", {work.right + 5000, work.bottom + 5000}, 0, 0, true, kSentence},
        {"a line wider than the screen", middle, 0, 0, false, oneLongLine},
        {"more lines than the screen holds", middle, 0, 0, true, manyLines},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        effects_->put_WordWrap(c.wrap ? VARIANT_TRUE : VARIANT_FALSE);
        const HWND tip = show(c.at, c.text, 0, c.xDisplay, c.yDisplay);
        ASSERT_NE(tip, nullptr);
        EXPECT_TRUE(contains(work, windowRect(tip)))
            << text(windowRect(tip)) << " on " << text(work);
    }
}

TEST_F(TipWindow, GrowsWithItsTextAndWrapsAtTheFlexLimit) {
    const POINT at = screenCentre();
    const auto sizeFor = [&](const std::wstring& text, bool wrap, SHORT limit,
                             const wchar_t* header = L"") {
        effects_->put_WordWrap(wrap ? VARIANT_TRUE : VARIANT_FALSE);
        effects_->put_FlexLimit(limit);
        Bstr headerText(header);
        effects_->put_HeaderText(headerText.get());
        const HWND tip = show(at, text);
        EXPECT_NE(tip, nullptr);
        const RECT r = tip ? windowRect(tip) : RECT{};
        return SIZE{r.right - r.left, r.bottom - r.top};
    };
    const std::wstring longer = kSentence + L" " + kSentence;
    // What the window adds around its text: the size of a one-letter tip.
    const SIZE frame = sizeFor(L"i", false, 0);
    const SIZE one = sizeFor(kSentence, false, 0);
    const SIZE two = sizeFor(longer, false, 0);
    EXPECT_GT(one.cx, frame.cx);
    EXPECT_GT(two.cx, one.cx) << "unwrapped, a longer text makes a wider tip";
    EXPECT_EQ(two.cy, one.cy) << "on one line";
    EXPECT_GT(sizeFor(L"two\nlines", false, 0).cy, frame.cy) << "line breaks count";

    LONG previousWidth = 0;
    for (const SHORT limit : {90, 150, 240}) {
        SCOPED_TRACE(limit);
        const SIZE wrapped = sizeFor(longer, true, limit);
        EXPECT_LE(wrapped.cx, limit + frame.cx) << "no line is wider than the limit";
        EXPECT_GT(wrapped.cy, one.cy) << "the text takes several lines";
        EXPECT_GT(wrapped.cx, previousWidth) << "a larger limit, a wider tip";
        previousWidth = wrapped.cx;
    }
    EXPECT_EQ(sizeFor(longer, false, 90).cx, two.cx) << "without WordWrap the limit is not used";

    const SIZE withHeader = sizeFor(kSentence, false, 0, L"Remember me");
    EXPECT_GT(withHeader.cy, one.cy) << "the header line stands above the text";
    EXPECT_EQ(withHeader.cx, one.cx) << "a short header leaves the width alone";
    const std::wstring wideHeader = L"A header: " + kSentence;
    EXPECT_GT(sizeFor(kSentence, false, 0, wideHeader.c_str()).cx, one.cx)
        << "a wider header widens the tip";

    // Each line in its own font.
    effects_->putref_HeaderFont(newFont(L"Tahoma", 20).Get());
    const SIZE largeHeader = sizeFor(kSentence, false, 0, L"Remember me");
    EXPECT_GT(largeHeader.cy, withHeader.cy) << "the header's font";
    EXPECT_EQ(largeHeader.cx, one.cx);
    effects_->putref_Font(newFont(L"Tahoma", 16).Get());
    EXPECT_GT(sizeFor(kSentence, false, 0, L"Remember me").cx, one.cx) << "the caption's font";
}

TEST_F(TipWindow, ShowsNothingWithoutTextOrWhenCancelled) {
    for (const bool cancel : {true, false}) {
        SCOPED_TRACE(cancel ? "cancelled" : "no text");
        newTip();
        tip_->SetEffects(effects_.Get());
        EXPECT_EQ(show(screenCentre(), cancel ? kSentence : L"", 0, 0, 0, cancel), nullptr);
        EXPECT_EQ(findTip(), nullptr) << "not even a hidden window";
    }
    // A text that a later show clears takes the shown tip away.
    ASSERT_NE(show(screenCentre(), kSentence), nullptr);
    tip_->SetTipText(Bstr(L"").get());
    EXPECT_EQ(show(screenCentre(), L""), nullptr);
}

TEST_F(TipWindow, HidesAtOnceOrWhenItsAnimationEnds) {
    struct Case {
        const char* what;
        LONG method;
        SHORT steps;
        bool lingers; // still shown right after HideTip, until its animation ran
    };
    const Case cases[] = {
        {"instant", 0, 4, false},
        {"fade", 1, 4, true},
        {"fade of no steps", 1, 0, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        tip_->SetAnimateSteps(c.steps);
        ASSERT_NE(show(screenCentre(), kSentence), nullptr);
        ASSERT_EQ(tip_->HideTip(c.method), S_OK);
        EXPECT_EQ(shownTip() != nullptr, c.lingers);
        EXPECT_TRUE(pumpUntil([] { return shownTip() == nullptr; }));
        VARIANT_BOOL shown = VARIANT_TRUE;
        tip_->get_Shown(&shown);
        EXPECT_EQ(shown, VARIANT_FALSE);
    }
}

TEST_F(TipWindow, LeaksNoGdiObjectsOverManyShows) {
    const POINT at = screenCentre();
    const auto cycle = [&](int i) {
        Bstr header(i % 2 ? L"Header" : L"");
        effects_->put_HeaderText(header.get());
        ASSERT_NE(show(POINT{at.x + i, at.y + i}, kSentence.substr(0, 10 + i % 30)), nullptr);
        ASSERT_EQ(tip_->HideTip(0), S_OK);
    };
    for (int i = 0; i < 3; ++i)
        cycle(i);
    const int before = pkw::test::CountGdiObjects();
    ASSERT_GT(before, 0);
    for (int i = 0; i < 4; ++i)
        cycle(i);
    // While shown, the tip holds one bitmap and one DC; hidden, none.
    EXPECT_LE(pkw::test::CountGdiObjects(), before);
}

TEST_F(TipWindow, GoesAwayWithItsObject) {
    const HMODULE dll = globalsDll().module();
    WNDCLASSEXW info{};
    info.cbSize = sizeof info;
    ASSERT_FALSE(::GetClassInfoExW(dll, kTipClass, &info)) << "no class before the first tip";

    ComPtr<IToolTip> other = create<IToolTip>(CLSID_ToolTip);
    ASSERT_NE(show(screenCentre(), kSentence), nullptr);
    const HWND first = findTip();
    ASSERT_EQ(other->SetEffects(effects_.Get()), S_OK);
    LONG result = 0;
    ASSERT_EQ(other->ShowTip(0, &result), S_OK);
    ASSERT_EQ(other->SetTipText(Bstr(L"Another tip").get()), S_OK);
    ASSERT_EQ(other->ShowTip(1, &result), S_OK); // released while it fades in
    EXPECT_TRUE(::GetClassInfoExW(dll, kTipClass, &info));

    other.Reset();
    EXPECT_EQ(findTip(), first) << "only the released object's window went";
    EXPECT_TRUE(::IsWindowVisible(first));

    tip_.Reset(); // shown as it goes
    EXPECT_FALSE(::IsWindow(first));
    EXPECT_EQ(findTip(), nullptr);
    EXPECT_FALSE(::GetClassInfoExW(dll, kTipClass, &info)) << "the class went with the last tip";
}

} // namespace
