// GlobalSubclass routing: attach order, the 0/2 responses, results reaching
// the sender, restoring the window procedure, re-entrancy and teardown.
#include "scls_support.h"

#include "siblings/api/scls.h"

#include <thread>

namespace pkw::scls_test {
namespace {

class SubclassTest : public GlobalSubclassTest {
protected:
    // A sink owned by the test (the registry does not own sinks).
    ComPtr<TestSink> sink(const char* name, LONG response) {
        return Adopt(new TestSink(name, response, &log, global.Get()));
    }

    std::vector<std::string> callOrder() const {
        std::vector<std::string> names;
        for (const SinkCall& c : log)
            names.push_back(c.sink);
        return names;
    }

    std::vector<SinkCall> log;
};

TEST_F(SubclassTest, LastDetachInAnyOrderRestoresTheOwnProcedure) {
    const std::vector<std::vector<int>> orders = {{0, 1, 2}, {2, 1, 0}, {1, 2, 0}};
    for (const auto& order : orders) {
        TestWindow window;
        auto a = sink("a", 2);
        auto b = sink("b", 2);
        const struct {
            ISubclass* sink;
            UINT message;
        } attached[] = {{a.Get(), kOther}, {a.Get(), kAnswer}, {b.Get(), kOther}};
        for (const auto& at : attached) {
            ASSERT_EQ(global->AttachMessage(at.sink, window.hwnd(), at.message), S_OK);
        }
        EXPECT_NE(currentProcedure(window.hwnd()), TestWindow::ownProcedure());
        for (size_t i = 0; i < order.size(); ++i) {
            const auto& at = attached[order[i]];
            ASSERT_EQ(global->DetachMessage(at.sink, window.hwnd(), at.message), S_OK);
            const bool last = i + 1 == order.size();
            EXPECT_EQ(currentProcedure(window.hwnd()) == TestWindow::ownProcedure(), last)
                << "detach step " << i;
        }
        ::SendMessageW(window.hwnd(), kOther, 0, 0);
        EXPECT_TRUE(log.empty());
        EXPECT_EQ(window.seenCount(kOther), 1);
    }
}

TEST_F(SubclassTest, ResponsesDecideWhetherTheOwnProcedureRunsAndWhoseResultWins) {
    // Sink "a" answers 10, "b" 20; the window's own procedure answers 77.
    const struct Case {
        LONG responseA, responseB;
        bool failA, failB;
        bool attachBFirst;
        bool ownSees;
        LRESULT result;
        std::vector<std::string> order;
    } cases[] = {
        {2, 2, false, false, false, true, 20, {"a", "b"}},
        {2, 2, false, false, true, true, 10, {"b", "a"}},
        {2, 0, false, false, false, false, 20, {"a", "b"}},
        {2, 2, false, true, false, true, 10, {"a", "b"}},
        {2, 2, true, true, false, true, 77, {"a", "b"}},
        {0, 0, true, true, false, false, 0, {"a", "b"}},
        // Any answer other than 0 lets the window's procedure run.
        {1, 2, false, false, false, true, 20, {"a", "b"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message()
                     << "responses " << c.responseA << "/" << c.responseB << " fail " << c.failA
                     << c.failB << " bFirst " << c.attachBFirst);
        log.clear();
        TestWindow window;
        auto a = sink("a", c.responseA);
        auto b = sink("b", c.responseB);
        a->answer = 10;
        b->answer = 20;
        if (c.failA) a->failure = E_FAIL;
        if (c.failB) b->failure = E_FAIL;
        ISubclass* first = c.attachBFirst ? b.Get() : a.Get();
        ISubclass* second = c.attachBFirst ? a.Get() : b.Get();
        ASSERT_EQ(global->AttachMessage(first, window.hwnd(), kAnswer), S_OK);
        ASSERT_EQ(global->AttachMessage(second, window.hwnd(), kAnswer), S_OK);

        EXPECT_EQ(::SendMessageW(window.hwnd(), kAnswer, 0, 0), c.result);
        EXPECT_EQ(window.seenCount(kAnswer), c.ownSees ? 1 : 0);
        EXPECT_EQ(callOrder(), c.order);
        // Other messages are not routed.
        ::SendMessageW(window.hwnd(), kOther, 0, 0);
        EXPECT_EQ(log.size(), 2u);
        EXPECT_EQ(window.seenCount(kOther), 1);

        global->DetachMessage(a.Get(), window.hwnd(), kAnswer);
        global->DetachMessage(b.Get(), window.hwnd(), kAnswer);
    }
}

TEST_F(SubclassTest, CurrentMessageNestsAcrossReentrantDispatch) {
    TestWindow window;
    auto outer = sink("outer", 2);
    auto inner = sink("inner", 0);
    UINT afterNested = 0;
    outer->onMessage = [&](HWND hwnd, UINT) -> LRESULT {
        ::SendMessageW(hwnd, kAnswer, 0, 0);
        global->get_CurrentMessage(&afterNested);
        return 0;
    };
    ASSERT_EQ(global->AttachMessage(outer.Get(), window.hwnd(), kOther), S_OK);
    ASSERT_EQ(global->AttachMessage(inner.Get(), window.hwnd(), kAnswer), S_OK);

    ::SendMessageW(window.hwnd(), kOther, 0, 0);

    // Logged on entry: the outer sink first, the nested one while it runs.
    ASSERT_EQ(log.size(), 2u);
    EXPECT_EQ(log[0].sink, "outer");
    EXPECT_EQ(log[0].currentMessage, kOther);
    EXPECT_EQ(log[1].sink, "inner");
    EXPECT_EQ(log[1].currentMessage, kAnswer);
    EXPECT_EQ(afterNested, kOther);
    EXPECT_EQ(outer->asked, std::vector<UINT>{kOther});
    EXPECT_EQ(inner->asked, std::vector<UINT>{kAnswer});
    UINT idle = 1;
    EXPECT_EQ(global->get_CurrentMessage(&idle), S_OK);
    EXPECT_EQ(idle, 0u);
    global->DetachMessage(outer.Get(), window.hwnd(), kOther);
    global->DetachMessage(inner.Get(), window.hwnd(), kAnswer);
}

TEST_F(SubclassTest, SinkThatDetachesItselfAndTheNextSinkMidDispatch) {
    TestWindow window;
    auto a = sink("a", 2);
    auto b = sink("b", 2);
    a->onMessage = [&](HWND hwnd, UINT message) -> LRESULT {
        global->DetachMessage(a.Get(), hwnd, message);
        global->DetachMessage(b.Get(), hwnd, message);
        return 5;
    };
    ASSERT_EQ(global->AttachMessage(a.Get(), window.hwnd(), kOther), S_OK);
    ASSERT_EQ(global->AttachMessage(b.Get(), window.hwnd(), kOther), S_OK);

    EXPECT_EQ(::SendMessageW(window.hwnd(), kOther, 0, 0), 5);

    EXPECT_EQ(callOrder(), std::vector<std::string>{"a"});
    EXPECT_EQ(currentProcedure(window.hwnd()), TestWindow::ownProcedure());
    ::SendMessageW(window.hwnd(), kOther, 0, 0);
    EXPECT_EQ(log.size(), 1u);
    EXPECT_EQ(window.seenCount(kOther), 2);
}

TEST_F(SubclassTest, SinkReleasedDuringItsOwnDispatchLivesUntilTheDispatchEnds) {
    for (const LONG response : {0L, 2L}) {
        SCOPED_TRACE(response);
        TestWindow window;
        bool destroyed = false;
        UINT currentAtDestruction = 0xFFFF;
        ComPtr<TestSink> only = Adopt(new TestSink("self", response, &log, global.Get()));
        TestSink* const s = only.Get();
        s->onDestroy = [&] {
            destroyed = true;
            global->get_CurrentMessage(&currentAtDestruction);
        };
        s->onMessage = [&](HWND hwnd, UINT message) -> LRESULT {
            global->DetachMessage(s, hwnd, message);
            only.Reset(); // the last reference but the dispatch's own
            return destroyed ? -1 : 9;
        };
        ASSERT_EQ(global->AttachMessage(s, window.hwnd(), kOther), S_OK);

        EXPECT_EQ(::SendMessageW(window.hwnd(), kOther, 0, 0), 9);
        EXPECT_TRUE(destroyed);
        EXPECT_EQ(currentAtDestruction, 0u);
        EXPECT_EQ(currentProcedure(window.hwnd()), TestWindow::ownProcedure());
    }
}

TEST_F(SubclassTest, DestroyingTheWindowDropsItsRoutingAfterTheLastMessages) {
    auto onDestroy = sink("destroy", 2);
    auto onNcDestroy = sink("ncdestroy", 0);
    {
        TestWindow window;
        const HWND hwnd = window.hwnd();
        ASSERT_EQ(global->AttachMessage(onDestroy.Get(), hwnd, WM_DESTROY), S_OK);
        ASSERT_EQ(global->AttachMessage(onNcDestroy.Get(), hwnd, WM_NCDESTROY), S_OK);
        ASSERT_EQ(global->AttachMessage(onDestroy.Get(), hwnd, kOther), S_OK);
        window.destroy();
        EXPECT_EQ(callOrder(), (std::vector<std::string>{"destroy", "ncdestroy"}));
        // Nothing is attached any more.
        EXPECT_EQ(global->DetachMessage(onDestroy.Get(), hwnd, kOther), S_FALSE);
        EXPECT_EQ(global->DetachMessage(onNcDestroy.Get(), hwnd, WM_NCDESTROY), S_FALSE);
    }
    // The sinks hold the global object (to read CurrentMessage).
    onDestroy.Reset();
    onNcDestroy.Reset();
    global.Reset();
    EXPECT_EQ(canUnloadNow(), S_OK);
}

// A subclasser that sits on top of ours and forwards everything.
WNDPROC g_belowForeign = nullptr;
int g_foreignCalls = 0;
LRESULT CALLBACK foreignProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == kOther) ++g_foreignCalls;
    return ::CallWindowProcW(g_belowForeign, hwnd, message, wParam, lParam);
}

TEST_F(SubclassTest, SubclassOnTopOfOursKeepsTheChainAfterTheLastDetach) {
    g_foreignCalls = 0;
    TestWindow window;
    const HWND hwnd = window.hwnd();
    auto s = sink("s", 2);
    ASSERT_EQ(global->AttachMessage(s.Get(), hwnd, kOther), S_OK);
    g_belowForeign = reinterpret_cast<WNDPROC>(
        ::SetWindowLongPtrW(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&foreignProc)));

    ASSERT_EQ(global->DetachMessage(s.Get(), hwnd, kOther), S_OK);
    EXPECT_EQ(currentProcedure(hwnd), &foreignProc);
    ::SendMessageW(hwnd, kOther, 0, 0);
    EXPECT_EQ(g_foreignCalls, 1);
    EXPECT_EQ(window.seenCount(kOther), 1);
    EXPECT_TRUE(log.empty());

    // Attaching again routes through the same place in the chain.
    ASSERT_EQ(global->AttachMessage(s.Get(), hwnd, kOther), S_OK);
    ::SendMessageW(hwnd, kOther, 0, 0);
    EXPECT_EQ(callOrder(), std::vector<std::string>{"s"});
    EXPECT_EQ(window.seenCount(kOther), 2);
    ASSERT_EQ(global->DetachMessage(s.Get(), hwnd, kOther), S_OK);

    window.destroy();
    s.Reset();
    global.Reset();
    EXPECT_EQ(canUnloadNow(), S_OK);
}

TEST_F(SubclassTest, CallOldWindowProcReachesTheOwnProcedureOncePerMessage) {
    const struct Case {
        LONG response;
        WPARAM wParamForOld; // the sink calls the old procedure with this
        int ownCalls;
    } cases[] = {
        {0, 0, 1}, // consumed: the sink passes it on itself
        {2, 0, 1}, // post-processed: the answer already given, not a second run
        {2, 1, 2}, // a different message for the old procedure: a real call
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message()
                     << "response " << c.response << " wParam " << c.wParamForOld);
        TestWindow window;
        auto s = sink("s", c.response);
        LRESULT old = 0;
        HRESULT hr = E_FAIL;
        s->onMessage = [&](HWND hwnd, UINT message) -> LRESULT {
            hr = global->CallOldWindowProc(hwnd, message, c.wParamForOld, 0, &old);
            return old + 1;
        };
        ASSERT_EQ(global->AttachMessage(s.Get(), window.hwnd(), kAnswer), S_OK);
        EXPECT_EQ(::SendMessageW(window.hwnd(), kAnswer, 0, 0), 78);
        EXPECT_EQ(hr, S_OK);
        EXPECT_EQ(old, 77);
        EXPECT_EQ(window.seenCount(kAnswer), c.ownCalls);
        global->DetachMessage(s.Get(), window.hwnd(), kAnswer);
    }
}

TEST_F(SubclassTest, AllGlobalObjectsShareOneRoutingPerWindow) {
    TestWindow window;
    auto second = create<IGlobalSubclass>(__uuidof(GlobalSubclass));
    ASSERT_TRUE(second);
    auto a = sink("a", 2);
    auto b = sink("b", 2);
    ASSERT_EQ(global->AttachMessage(a.Get(), window.hwnd(), kOther), S_OK);
    ASSERT_EQ(second->AttachMessage(b.Get(), window.hwnd(), kOther), S_OK);
    ::SendMessageW(window.hwnd(), kOther, 0, 0);
    EXPECT_EQ(callOrder(), (std::vector<std::string>{"a", "b"}));
    ASSERT_EQ(second->DetachMessage(a.Get(), window.hwnd(), kOther), S_OK);
    global.Reset(); // attachments do not depend on the object that made them
    ASSERT_EQ(second->DetachMessage(b.Get(), window.hwnd(), kOther), S_OK);
    EXPECT_EQ(currentProcedure(window.hwnd()), TestWindow::ownProcedure());
}

TEST_F(SubclassTest, ThreadSubclassIsOnePerThreadUntilReleased) {
    const auto mine = pkw::sib::ThreadSubclass();
    ASSERT_TRUE(mine);
    EXPECT_EQ(pkw::sib::ThreadSubclass().Get(), mine.Get());

    IGlobalSubclass* theirs = nullptr;
    std::thread([&] {
        theirs = pkw::sib::ThreadSubclass().Get();
        pkw::sib::ReleaseThreadSubclass();
    }).join();
    EXPECT_NE(theirs, nullptr);
    EXPECT_NE(theirs, mine.Get());

    pkw::sib::ReleaseThreadSubclass();
    const auto fresh = pkw::sib::ThreadSubclass();
    ASSERT_TRUE(fresh);
    pkw::sib::ReleaseThreadSubclass();
}

// A window still routed through our procedure keeps the DLL loaded, though
// no object of it is left.
TEST_F(SclsTest, ASubclassedWindowKeepsTheDllLoaded) {
    ASSERT_EQ(canUnloadNow(), S_OK);
    TestWindow window;
    const auto sink = Adopt(new TestSink("s", 2, nullptr));
    {
        auto global = create<IGlobalSubclass>(__uuidof(GlobalSubclass));
        ASSERT_EQ(global->AttachMessage(sink.Get(), window.hwnd(), kOther), S_OK);
    }
    EXPECT_EQ(canUnloadNow(), S_FALSE);
    {
        auto global = create<IGlobalSubclass>(__uuidof(GlobalSubclass));
        ASSERT_EQ(global->DetachMessage(sink.Get(), window.hwnd(), kOther), S_OK);
    }
    EXPECT_EQ(canUnloadNow(), S_OK);
}

} // namespace
} // namespace pkw::scls_test
