// The rich tool tip of a check box: its timing while the cursor rests on
// the control, the container's say through QueryTipPlacement, hiding after
// TipPostTimer, and the show and hide methods.
#include "tests/checkbox/checkbox_fixture.h"

#include "common/com/bstr.h"
#include "host/effect_sets.h"
#include "host/message_spy.h"

#include <vector>

namespace pkw::test {
namespace {

constexpr POINT kInside{6, 8};

// The rich tool tip's window while it is visible (a top-level window of
// this thread: the test's controls are its only owners).
HWND ShownTip() {
    for (HWND w = nullptr; (w = ::FindWindowExW(nullptr, w, L"zelNuRichTip40", nullptr));)
        if (::IsWindowVisible(w)) return w;
    return nullptr;
}

bool TipShown() {
    return ShownTip() != nullptr;
}

// The places where the visible tip stood, seen each time this thread takes
// a message from its queue (the tip's animation steps come as timer
// messages): a slide shows as several places, an instant show or hide as
// one.
class TipPlaces {
public:
    TipPlaces() {
        places_.clear();
        hook_ = ::SetWindowsHookExW(WH_GETMESSAGE, &sample, nullptr, ::GetCurrentThreadId());
    }
    ~TipPlaces() { ::UnhookWindowsHookEx(hook_); }
    TipPlaces(const TipPlaces&) = delete;
    TipPlaces& operator=(const TipPlaces&) = delete;

    bool hooked() const { return hook_ != nullptr; }
    const std::vector<RECT>& places() const { return places_; }

private:
    static LRESULT CALLBACK sample(int code, WPARAM wParam, LPARAM lParam) {
        RECT r{};
        if (const HWND tip = code == HC_ACTION ? ShownTip() : nullptr;
            tip && ::GetWindowRect(tip, &r) &&
            (places_.empty() || !::EqualRect(&places_.back(), &r)))
            places_.push_back(r);
        return ::CallNextHookEx(nullptr, code, wParam, lParam);
    }

    static inline std::vector<RECT> places_;
    HHOOK hook_ = nullptr;
};

class CheckBoxTipTest : public CheckBoxTest {
protected:
    // A box whose tip set says `caption`, shown after `preTimer` seconds.
    PlacedBox tippedBox(float preTimer, const wchar_t* caption) {
        PlacedBox b = placeBox();
        if (!b) return b;
        put(b, L"TipPreTimer", R4(preTimer));
        put(b, L"TipPostTimer", R4(600.0f));
        const auto sets = EffectSetsOf(get(b, L"TipEffectsProps"));
        EXPECT_FALSE(sets.empty() || !sets[0]) << "no tip effect set";
        if (!sets.empty() && sets[0]) {
            EXPECT_HRESULT_SUCCEEDED(sets[0]->put_Caption(Bstr(caption).get()));
        }
        return b;
    }

    // The tip's places from the cursor's coming to its going by itself, the
    // cursor resting on the control meanwhile.
    std::vector<RECT> showAndHide(const PlacedBox& b) {
        TipPlaces recorder;
        EXPECT_TRUE(recorder.hooked());
        EXPECT_TRUE(input::moveTo(*b.site.Get(), kInside));
        EXPECT_TRUE(pumpUntil(TipShown)) << "the tip never showed";
        EXPECT_TRUE(pumpUntil([] { return !TipShown(); })) << "the tip never went";
        pumpTicks(10);
        EXPECT_FALSE(TipShown()) << "back again during the same rest";
        EXPECT_TRUE(input::moveOutside(*b.site.Get()));
        pumpTicks(3);
        return recorder.places();
    }

    std::size_t queries(const PlacedBox& b) { return b.site->events().count(L"QueryTipPlacement"); }
};

TEST_F(CheckBoxTipTest, NoDelayMeansNoTip) {
    auto b = tippedBox(0.0f, L"Hello");
    ASSERT_TRUE(b);
    MessageSpy spy(b.window(), {WM_TIMER});
    ASSERT_TRUE(input::moveTo(*b.site.Get(), kInside));
    // A tip would show on one of the hover timer's ticks.
    ASSERT_TRUE(pumpUntil([&] { return spy.count(WM_TIMER) >= 5; }));
    pumpPending();
    EXPECT_EQ(queries(b), 0u);
}

// After the delay the container is asked where to put the tip, and may
// cancel it: then it is not asked again until the cursor comes back.
TEST_F(CheckBoxTipTest, TheContainerPlacesOrCancelsTheTipOncePerHover) {
    auto b = tippedBox(0.02f, L"Hello");
    ASSERT_TRUE(b);
    b.site->events().on(L"QueryTipPlacement", [](EventCall& call) {
        EXPECT_HRESULT_SUCCEEDED(call.set(L"bCancel", I4(-1)));
    });
    ASSERT_TRUE(input::moveTo(*b.site.Get(), kInside));
    ASSERT_TRUE(pumpUntil([&] { return queries(b) > 0; }));
    const RecordedEvent* query = b.site->events().last(L"QueryTipPlacement");
    const POINT cursor = input::screenPoint(*b.site.Get(), kInside);
    EXPECT_EQ(NumberOf(query->arg(L"X")->value), cursor.x);
    EXPECT_EQ(NumberOf(query->arg(L"Y")->value), cursor.y);
    EXPECT_EQ(TextOf(query->arg(L"TipText")->value), L"Hello");
    EXPECT_EQ(NumberOf(query->arg(L"bCancel")->value), 0);
    pumpTicks(10);
    EXPECT_EQ(queries(b), 1u) << "asked again during the same hover";

    ASSERT_TRUE(input::moveOutside(*b.site.Get()));
    pumpTicks(3);
    ASSERT_TRUE(input::moveTo(*b.site.Get(), kInside));
    EXPECT_TRUE(pumpUntil([&] { return queries(b) > 1; })) << "not asked after re-entering";
}

TEST_F(CheckBoxTipTest, TheTipGoesAfterTipPostTimerAndMovesAsItsMethodsSay) {
    auto b = tippedBox(0.05f, L"Hello");
    ASSERT_TRUE(b);
    put(b, L"TipAnimateSteps", I4(4));
    // Shown and hidden at once (both methods 0): one place. The long
    // TipPostTimer keeps it until the cursor leaves.
    std::vector<RECT> instant;
    {
        TipPlaces recorder;
        ASSERT_TRUE(input::moveTo(*b.site.Get(), kInside));
        ASSERT_TRUE(pumpUntil(TipShown));
        pumpTicks(15);
        EXPECT_TRUE(TipShown()) << "hidden before TipPostTimer";
        EXPECT_EQ(queries(b), 1u) << "placed again while shown";
        ASSERT_TRUE(input::moveOutside(*b.site.Get()));
        ASSERT_TRUE(pumpUntil([] { return !TipShown(); }));
        instant = recorder.places();
    }
    ASSERT_EQ(instant.size(), 1u) << "an instant tip stands still";

    put(b, L"TipPostTimer", R4(0.3f));
    struct Case {
        const char* name;
        LONG show, hide;
    };
    for (const Case& c : {Case{"SlideIn", 2, 0}, Case{"SlideOut", 0, 2}}) {
        SCOPED_TRACE(c.name);
        put(b, L"TipShowMethod", I4(c.show));
        put(b, L"TipHideMethod", I4(c.hide));
        const std::vector<RECT> places = showAndHide(b);
        ASSERT_FALSE(places.empty());
        EXPECT_GT(places.size(), 2u) << "a slide passes through places on its way";
        const RECT& settled = c.show == 2 ? places.back() : places.front();
        const RECT& away = c.show == 2 ? places.front() : places.back();
        EXPECT_TRUE(::EqualRect(&settled, &instant.front())) << "rests where an instant tip stands";
        EXPECT_FALSE(::EqualRect(&away, &instant.front())) << "comes from or goes to another place";
    }
}

} // namespace
} // namespace pkw::test
