// Timer: ThatTime on the owner's thread while its messages are pumped,
// stopping, handlers that stop or release the timer, and the connection
// point plumbing.
#include "scls_support.h"

#include <olectl.h>

#include <functional>
#include <thread>

namespace pkw::scls_test {
namespace {

// A DTimerEvents sink. With dispatchOnly it answers IDispatch but not the
// event interface (as some script hosts do).
class TimerSink final : public IDispatch {
public:
    explicit TimerSink(bool dispatchOnly = false) : dispatchOnly_(dispatchOnly) {}

    int ticks = 0;
    DWORD thread = 0;
    std::function<void()> onTick;

    STDMETHODIMP QueryInterface(REFIID iid, void** ppv) override {
        if (!ppv) return E_POINTER;
        *ppv = nullptr;
        if (iid == IID_IUnknown || iid == IID_IDispatch ||
            (!dispatchOnly_ && iid == __uuidof(DTimerEvents))) {
            *ppv = static_cast<IDispatch*>(this);
            AddRef();
            return S_OK;
        }
        return E_NOINTERFACE;
    }
    STDMETHODIMP_(ULONG) AddRef() override { return ++refs_; }
    STDMETHODIMP_(ULONG) Release() override {
        const ULONG left = --refs_;
        if (!left) delete this;
        return left;
    }
    STDMETHODIMP GetTypeInfoCount(UINT* n) override {
        *n = 0;
        return S_OK;
    }
    STDMETHODIMP GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
    STDMETHODIMP GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override {
        return E_NOTIMPL;
    }
    STDMETHODIMP Invoke(DISPID id, REFIID, LCID, WORD flags, DISPPARAMS* params, VARIANT*,
                        EXCEPINFO*, UINT*) override {
        if (id != 1 || !(flags & DISPATCH_METHOD) || !params || params->cArgs != 0) {
            return DISP_E_MEMBERNOTFOUND;
        }
        ++ticks;
        thread = ::GetCurrentThreadId();
        if (onTick) onTick();
        return S_OK;
    }

private:
    ULONG refs_ = 1;
    bool dispatchOnly_;
};

ComPtr<TimerSink> newSink(bool dispatchOnly = false) {
    return Adopt(new TimerSink(dispatchOnly));
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

    ComPtr<IConnectionPoint> eventsPoint() {
        ComPtr<IConnectionPointContainer> container;
        EXPECT_EQ(timer.As(&container), S_OK);
        ComPtr<IConnectionPoint> point;
        if (container) {
            EXPECT_EQ(container->FindConnectionPoint(__uuidof(DTimerEvents), &point), S_OK);
        }
        return point;
    }
    DWORD advise(IDispatch* sink) {
        DWORD cookie = 0;
        EXPECT_EQ(eventsPoint()->Advise(sink, &cookie), S_OK);
        EXPECT_NE(cookie, 0u);
        return cookie;
    }

    ComPtr<ITimer> timer;
};

TEST_F(TimerTest, ThatTimeComesOnTheOwnerThreadUntilIntervalZero) {
    auto first = newSink();
    auto second = newSink(true);
    advise(first.Get());
    advise(second.Get());
    ASSERT_EQ(timer->put_Interval(10), S_OK);
    LONG interval = 0;
    EXPECT_EQ(timer->get_Interval(&interval), S_OK);
    EXPECT_EQ(interval, 10);

    ASSERT_TRUE(pumpUntil([&] { return first->ticks >= 3 && second->ticks >= 3; }));
    EXPECT_EQ(first->thread, ::GetCurrentThreadId());

    ASSERT_EQ(timer->put_Interval(0), S_OK);
    const int stoppedAt = first->ticks;
    ReferenceClock clock;
    ASSERT_TRUE(clock.pumpTicks(5));
    EXPECT_EQ(first->ticks, stoppedAt);
    EXPECT_EQ(timer->get_Interval(&interval), S_OK);
    EXPECT_EQ(interval, 0);

    // And it starts again.
    ASSERT_EQ(timer->put_Interval(10), S_OK);
    ASSERT_TRUE(pumpUntil([&] { return first->ticks > stoppedAt; }));
    ASSERT_EQ(timer->put_Interval(0), S_OK);
}

TEST_F(TimerTest, NoTicksWithoutAnInterval) {
    auto sink = newSink();
    advise(sink.Get());
    ReferenceClock clock;
    ASSERT_TRUE(clock.pumpTicks(5));
    EXPECT_EQ(sink->ticks, 0);
    EXPECT_EQ(timer->put_Interval(-1), E_INVALIDARG);
    LONG interval = -2;
    timer->get_Interval(&interval);
    EXPECT_EQ(interval, 0);
    ASSERT_TRUE(clock.pumpTicks(3));
    EXPECT_EQ(sink->ticks, 0);
}

TEST_F(TimerTest, HandlerThatStopsTheTimerGetsOneTick) {
    auto sink = newSink();
    sink->onTick = [&] { timer->put_Interval(0); };
    advise(sink.Get());
    ASSERT_EQ(timer->put_Interval(10), S_OK);
    ASSERT_TRUE(pumpUntil([&] { return sink->ticks >= 1; }));
    ReferenceClock clock;
    ASSERT_TRUE(clock.pumpTicks(5));
    EXPECT_EQ(sink->ticks, 1);
}

TEST_F(TimerTest, HandlerThatReleasesTheTimer) {
    auto sink = newSink();
    sink->onTick = [&] { timer.Reset(); }; // the last reference
    advise(sink.Get());
    ASSERT_EQ(timer->put_Interval(10), S_OK);
    ASSERT_TRUE(pumpUntil([&] { return sink->ticks >= 1; }));
    EXPECT_FALSE(timer);
    ReferenceClock clock;
    ASSERT_TRUE(clock.pumpTicks(5));
    EXPECT_EQ(sink->ticks, 1);
    EXPECT_EQ(canUnloadNow(), S_OK);
}

TEST_F(TimerTest, SinkUnadvisedByAnEarlierHandlerMissesThatTick) {
    auto first = newSink();
    auto second = newSink();
    advise(first.Get());
    const DWORD secondCookie = advise(second.Get());
    first->onTick = [&] {
        if (first->ticks == 1) eventsPoint()->Unadvise(secondCookie);
    };
    ASSERT_EQ(timer->put_Interval(10), S_OK);
    ASSERT_TRUE(pumpUntil([&] { return first->ticks >= 3; }));
    EXPECT_EQ(second->ticks, 0);
    ASSERT_EQ(timer->put_Interval(0), S_OK);
}

TEST_F(TimerTest, TimersOfOtherThreadsTickThere) {
    DWORD tickedOn = 0;
    DWORD threadId = 0;
    std::thread worker([&] {
        ASSERT_EQ(::OleInitialize(nullptr), S_OK);
        threadId = ::GetCurrentThreadId();
        {
            auto own = create<ITimer>(__uuidof(Timer));
            auto sink = newSink();
            ComPtr<IConnectionPointContainer> container;
            ComPtr<IConnectionPoint> point;
            DWORD cookie = 0;
            ASSERT_EQ(own.As(&container), S_OK);
            ASSERT_EQ(container->FindConnectionPoint(__uuidof(DTimerEvents), &point), S_OK);
            ASSERT_EQ(point->Advise(sink.Get(), &cookie), S_OK);
            ASSERT_EQ(own->put_Interval(10), S_OK);
            ASSERT_TRUE(pumpUntil([&] { return sink->ticks >= 2; }));
            tickedOn = sink->thread;
            point->Unadvise(cookie);
        }
        ::OleUninitialize();
    });
    worker.join();
    EXPECT_EQ(tickedOn, threadId);
}

TEST_F(TimerTest, ConnectionPointPlumbing) {
    ComPtr<IConnectionPointContainer> container;
    ASSERT_EQ(timer.As(&container), S_OK);
    ComPtr<IConnectionPoint> point;
    EXPECT_EQ(container->FindConnectionPoint(IID_IPropertyNotifySink, &point),
              CONNECT_E_NOCONNECTION);
    EXPECT_FALSE(point);
    ASSERT_EQ(container->FindConnectionPoint(__uuidof(DTimerEvents), &point), S_OK);

    IID iid{};
    EXPECT_EQ(point->GetConnectionInterface(&iid), S_OK);
    EXPECT_EQ(iid, __uuidof(DTimerEvents));
    ComPtr<IConnectionPointContainer> back;
    EXPECT_EQ(point->GetConnectionPointContainer(&back), S_OK);
    ComPtr<IUnknown> a, b;
    back.As(&a);
    timer.As(&b);
    EXPECT_EQ(a.Get(), b.Get());

    DWORD cookie = 7;
    EXPECT_EQ(point->Advise(nullptr, &cookie), E_POINTER);
    const auto notDispatch = Adopt(new TestSink("x", 2, nullptr));
    EXPECT_EQ(point->Advise(notDispatch.Get(), &cookie), CONNECT_E_CANNOTCONNECT);
    EXPECT_EQ(cookie, 0u);
    EXPECT_EQ(point->Unadvise(12345), CONNECT_E_NOCONNECTION);

    auto s1 = newSink();
    auto s2 = newSink(true);
    DWORD c1 = 0, c2 = 0;
    ASSERT_EQ(point->Advise(s1.Get(), &c1), S_OK);
    ASSERT_EQ(point->Advise(s2.Get(), &c2), S_OK);
    EXPECT_NE(c1, c2);

    ComPtr<IEnumConnections> connections;
    ASSERT_EQ(point->EnumConnections(&connections), S_OK);
    CONNECTDATA data[3] = {};
    ULONG fetched = 0;
    EXPECT_EQ(connections->Next(3, data, &fetched), S_FALSE);
    ASSERT_EQ(fetched, 2u);
    EXPECT_EQ(data[0].dwCookie, c1);
    EXPECT_EQ(data[1].dwCookie, c2);
    for (ULONG i = 0; i < fetched; ++i)
        data[i].pUnk->Release();
    EXPECT_EQ(connections->Reset(), S_OK);
    EXPECT_EQ(connections->Skip(1), S_OK);
    ComPtr<IEnumConnections> copy;
    ASSERT_EQ(connections->Clone(&copy), S_OK);
    ASSERT_EQ(copy->Next(1, data, nullptr), S_OK);
    EXPECT_EQ(data[0].dwCookie, c2);
    data[0].pUnk->Release();
    EXPECT_EQ(copy->Skip(1), S_FALSE);
    EXPECT_EQ(copy->Next(2, data, nullptr), E_INVALIDARG);

    ComPtr<IEnumConnectionPoints> points;
    ASSERT_EQ(container->EnumConnectionPoints(&points), S_OK);
    IConnectionPoint* listed[2] = {};
    ASSERT_EQ(points->Next(2, listed, &fetched), S_FALSE);
    ASSERT_EQ(fetched, 1u);
    EXPECT_EQ(listed[0], point.Get());
    listed[0]->Release();

    EXPECT_EQ(point->Unadvise(c1), S_OK);
    EXPECT_EQ(point->Unadvise(c1), CONNECT_E_NOCONNECTION);
    EXPECT_EQ(point->Unadvise(c2), S_OK);

    // The connection point keeps its timer alive.
    container.Reset();
    back.Reset();
    a.Reset();
    b.Reset();
    timer.Reset();
    points.Reset();
    EXPECT_EQ(canUnloadNow(), S_FALSE);
    EXPECT_EQ(point->GetConnectionInterface(&iid), S_OK);
    connections.Reset();
    copy.Reset();
    point.Reset();
    EXPECT_EQ(canUnloadNow(), S_OK);
}

TEST_F(TimerTest, ClassInfoNamesTheEventInterface) {
    ComPtr<IProvideClassInfo> provide;
    ASSERT_EQ(timer.As(&provide), S_OK);
    ComPtr<ITypeInfo> info;
    ASSERT_EQ(provide->GetClassInfo(&info), S_OK);
    TYPEATTR* attr = nullptr;
    ASSERT_EQ(info->GetTypeAttr(&attr), S_OK);
    EXPECT_EQ(attr->typekind, TKIND_COCLASS);
    EXPECT_EQ(attr->guid, __uuidof(Timer));
    const WORD implCount = attr->cImplTypes;
    info->ReleaseTypeAttr(attr);
    bool foundSource = false;
    for (UINT i = 0; i < implCount; ++i) {
        INT flags = 0;
        HREFTYPE ref = 0;
        ComPtr<ITypeInfo> impl;
        ASSERT_EQ(info->GetImplTypeFlags(i, &flags), S_OK);
        ASSERT_EQ(info->GetRefTypeOfImplType(i, &ref), S_OK);
        ASSERT_EQ(info->GetRefTypeInfo(ref, &impl), S_OK);
        TYPEATTR* implAttr = nullptr;
        impl->GetTypeAttr(&implAttr);
        if ((flags & IMPLTYPEFLAG_FSOURCE) && (flags & IMPLTYPEFLAG_FDEFAULT)) {
            EXPECT_EQ(implAttr->guid, __uuidof(DTimerEvents));
            foundSource = true;
        }
        impl->ReleaseTypeAttr(implAttr);
    }
    EXPECT_TRUE(foundSource);
}

} // namespace
} // namespace pkw::scls_test
