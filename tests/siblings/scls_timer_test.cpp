// Timer: ThatTime on the owner's thread while its messages are pumped,
// stopping, and handlers that stop or release the timer.
#include "scls_support.h"

#include "common/com/server/object.h"
#include "host/typeless_dispatch.h"

#include <functional>

namespace pkw::scls_test {
namespace {

// A DTimerEvents sink that counts its ticks.
class TimerSink : public host::TypelessDispatch {
public:
    using Interfaces = com::InterfaceMap<IDispatch, com::SameVtable<DTimerEvents, IDispatch>>;

    int ticks = 0;
    DWORD thread = 0;
    std::function<void()> onTick;

    STDMETHODIMP GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) noexcept override {
        return E_NOTIMPL;
    }
    STDMETHODIMP Invoke(DISPID id, REFIID, LCID, WORD flags, DISPPARAMS* params, VARIANT*,
                        EXCEPINFO*, UINT*) noexcept override {
        if (id != 1 || !(flags & DISPATCH_METHOD) || !params || params->cArgs != 0)
            return DISP_E_MEMBERNOTFOUND;
        ++ticks;
        thread = ::GetCurrentThreadId();
        if (onTick) onTick();
        return S_OK;
    }
};

ComPtr<com::ComObject<TimerSink>> newSink() {
    return Adopt(new com::ComObject<TimerSink>());
}

// A clock independent of the timer under test: a plain thread timer.
class ReferenceClock {
public:
    ReferenceClock() {
        ticks_ = 0;
        id_ = ::SetTimer(nullptr, 0, 20, &tick);
    }
    ~ReferenceClock() { ::KillTimer(nullptr, id_); }
    ReferenceClock(const ReferenceClock&) = delete;
    ReferenceClock& operator=(const ReferenceClock&) = delete;
    // Pumps until the clock has ticked n more times.
    bool pumpTicks(int n) {
        const int until = ticks_ + n;
        return pumpUntil([&] { return ticks_ >= until; });
    }

private:
    static void CALLBACK tick(HWND, UINT, UINT_PTR, DWORD) { ++ticks_; }
    static inline int ticks_ = 0;
    UINT_PTR id_ = 0;
};

class TimerTest : public SclsTest {
protected:
    void SetUp() override {
        SclsTest::SetUp();
        timer = create<ITimer>(__uuidof(Timer));
        ASSERT_TRUE(timer);
    }
    void TearDown() override {
        timer.Reset();
        SclsTest::TearDown();
    }

    void advise(IDispatch* sink) { test::Advise(timer.Get(), __uuidof(DTimerEvents), sink); }

    ComPtr<ITimer> timer;
};

TEST_F(TimerTest, ThatTimeComesOnTheOwnerThreadUntilIntervalZero) {
    auto first = newSink();
    auto second = newSink();
    advise(first.Get());
    advise(second.Get());
    ASSERT_EQ(timer->put_Interval(10), S_OK);
    ASSERT_TRUE(pumpUntil([&] { return first->ticks >= 3 && second->ticks >= 3; }));
    EXPECT_EQ(first->thread, ::GetCurrentThreadId());

    ASSERT_EQ(timer->put_Interval(0), S_OK);
    const int stoppedAt = first->ticks;
    ReferenceClock clock;
    ASSERT_TRUE(clock.pumpTicks(5));
    EXPECT_EQ(first->ticks, stoppedAt);

    // And it starts again.
    ASSERT_EQ(timer->put_Interval(10), S_OK);
    ASSERT_TRUE(pumpUntil([&] { return first->ticks > stoppedAt; }));
    ASSERT_EQ(timer->put_Interval(0), S_OK);
}

TEST_F(TimerTest, AHandlerThatStopsOrReleasesTheTimerGetsOneTick) {
    for (const bool release : {false, true}) {
        SCOPED_TRACE(release ? "releases (the last reference)" : "stops");
        timer = create<ITimer>(__uuidof(Timer));
        auto sink = newSink();
        sink->onTick = [&] {
            if (release)
                timer.Reset();
            else
                timer->put_Interval(0);
        };
        advise(sink.Get());
        ASSERT_EQ(timer->put_Interval(10), S_OK);
        ASSERT_TRUE(pumpUntil([&] { return sink->ticks >= 1; }));
        ReferenceClock clock;
        ASSERT_TRUE(clock.pumpTicks(5));
        EXPECT_EQ(sink->ticks, 1);
        EXPECT_EQ(!timer, release);
    }
    EXPECT_EQ(canUnloadNow(), S_OK);
}

} // namespace
} // namespace pkw::scls_test
