// Events with by-reference answers, handlers that release the control,
// frozen events, property-change notices by name, and the control's points.
#include "probe_test.h"

#include <functional>

namespace pkw::test {
namespace {

using EventsTest = ProbeTest;

// Answers Query: Answer = 42, Cancel = True.
void answerQuery(EventCall& call) {
    EXPECT_EQ(call.set(L"Answer", Variant::fromI2(42)), S_OK);
    EXPECT_EQ(call.set(L"Cancel", Variant::fromBool(true)), S_OK);
}

TEST_F(EventsTest, EverySinkAnswersOnTheSameByReferenceArgumentsInTurn) {
    MadeProbe m = makeProbe();
    ComPtr<EventRecorder> first, second;
    ASSERT_EQ(EventRecorder::connect(m.probe.Get(), first), S_OK);
    ASSERT_EQ(EventRecorder::connect(m.probe.Get(), second), S_OK);
    first->on(L"Query", [](EventCall& call) {
        EXPECT_EQ(call.set(L"Answer", Variant::fromI2(call.value(0).iVal + 1)), S_OK);
    });
    second->on(L"Query", [](EventCall& call) {
        EXPECT_EQ(call.set(L"Answer", Variant::fromI2(call.value(0).iVal * 10)), S_OK);
        EXPECT_EQ(call.set(L"Cancel", Variant::fromBool(true)), S_OK);
    });
    LONG result = 0;
    ASSERT_EQ(m.probe->Ask(1, &result), S_OK);
    EXPECT_EQ(result, 1020); // (1 + 1) * 10, cancelled: in order of connection
    const RecordedEvent* seen = first->last(L"Query");
    ASSERT_TRUE(seen);
    EXPECT_EQ(seen->id, kQueryEvent);
    EXPECT_EQ(seen->arg(L"Answer")->value.iVal, 1); // as they arrived
    EXPECT_EQ(seen->arg(L"Cancel")->value.boolVal, VARIANT_FALSE);
    EXPECT_EQ(second->last(L"Query")->arg(L"Answer")->value.iVal, 2);
}

TEST_F(EventsTest, WithoutSinksOrWhileFrozenNothingIsRaised) {
    MadeProbe m = makeProbe();
    LONG result = 0;
    ASSERT_EQ(m.probe->Ask(5, &result), S_OK);
    EXPECT_EQ(result, 5);

    ComPtr<EventRecorder> sink;
    ASSERT_EQ(EventRecorder::connect(m.probe.Get(), sink), S_OK);
    sink->on(L"Query", answerQuery);
    ComPtr<IOleControl> control = as<IOleControl>(m.probe.Get());
    control->FreezeEvents(TRUE);
    control->FreezeEvents(TRUE);
    EXPECT_EQ(m.probe->Ask(5, &result), S_FALSE);
    control->FreezeEvents(FALSE);
    EXPECT_EQ(m.probe->Ask(5, &result), S_FALSE); // still frozen once
    EXPECT_TRUE(sink->events().empty());
    control->FreezeEvents(FALSE);
    control->FreezeEvents(FALSE); // more thaws than freezes: harmless
    EXPECT_EQ(m.probe->Ask(5, &result), S_OK);
    EXPECT_EQ(result, 1042);
    EXPECT_EQ(sink->events().size(), 1u);
}

TEST_F(EventsTest, AHandlerThatReleasesTheControlDuringAMethodCallIsSafe) {
    MadeProbe m = makeProbe();
    ComPtr<EventRecorder> sink;
    ASSERT_EQ(EventRecorder::connect(m.probe.Get(), sink), S_OK);
    IProbe* probe = m.probe.Detach(); // the test's one reference, given away below
    sink->on(L"Query", [&](EventCall& call) {
        answerQuery(call);
        sink->disconnect();
        probe->Release();
        EXPECT_EQ(countLog(L"Destroyed"), 0); // still alive inside the event
    });
    LONG result = 0;
    EXPECT_EQ(probe->Ask(5, &result), S_OK);
    EXPECT_EQ(result, 1042);
    EXPECT_EQ(countLog(L"Terminate"), 1);
    EXPECT_EQ(countLog(L"Destroyed"), 1);
}

// A real key raises an event whose handler takes the control off the form:
// the key handler finishes on a live object, and only then does it go.
TEST_F(EventsTest, AHandlerThatRemovesTheControlDuringAWindowMessageIsSafe) {
    auto site = addProbe(L"Probe1", {10, 10, 110, 34});
    ASSERT_TRUE(site);
    ASSERT_EQ(site->put(L"Caption", Variant::fromString(L"still here")), S_OK);
    ASSERT_EQ(form().focus(*site.Get()), S_OK);
    const HWND window = site->window();
    site->events().on(L"Ping", [&](EventCall&) { EXPECT_EQ(form().remove(*site.Get()), S_OK); });
    ASSERT_TRUE(input::keyDown(kPingKey));
    EXPECT_EQ(form().count(), 0u);
    ASSERT_TRUE(pumpUntil([] { return countLog(L"Destroyed") == 1; }));
    const auto done = logIndex(L"KeyDown done still here");
    ASSERT_GE(done, 0);
    EXPECT_LT(done, logIndex(L"Terminate"));
    EXPECT_LT(logIndex(L"Terminate"), logIndex(L"Destroyed"));
    EXPECT_FALSE(::IsWindow(window));
}

TEST_F(EventsTest, PropertyChangesNotifyTheDispidOfTheNamedPropertyAndDirtyIt) {
    MadeProbe m = makeProbe();
    ComPtr<NotifyRecorder> sink;
    ASSERT_EQ(NotifyRecorder::connect(m.probe.Get(), sink), S_OK);
    ComPtr<IFontDisp> font = m.raw->ambientFont();
    struct Case {
        const char* what;
        std::function<void()> change;
        DISPID expected;
    };
    const Case cases[] = {
        {"Caption", [&] { m.probe->put_Caption(Bstr(L"x").get()); }, DISPID_CAPTION},
        {"Value", [&] { m.probe->put_Value(1); }, 1},
        {"BackColor", [&] { m.probe->put_BackColor(0xFF); }, DISPID_BACKCOLOR},
        {"Font", [&] { m.probe->putref_Font(font.Get()); }, DISPID_FONT},
        {"name in other case", [&] { m.raw->propertyChanged(L"cAPTION"); }, DISPID_CAPTION},
        {"unknown name", [&] { m.raw->propertyChanged(L"NoSuchProperty"); }, DISPID_UNKNOWN},
    };
    for (const Case& c : cases) {
        sink->clear();
        ComPtr<IStream> s;
        ASSERT_EQ(saveToStream(m.probe.Get(), s), S_OK);
        ASSERT_EQ(isDirty(m.probe.Get()), S_FALSE) << c.what;
        c.change();
        EXPECT_EQ(sink->ids(), std::vector<DISPID>{c.expected}) << c.what;
        EXPECT_EQ(isDirty(m.probe.Get()), S_OK) << c.what;
    }
}

// The protocol itself is the server kit's; a control lists its events
// first, then property changes, each taking only its own kind of sink.
TEST_F(EventsTest, AControlOffersItsEventsAndItsPropertyChanges) {
    MadeProbe m = makeProbe();
    ComPtr<IConnectionPointContainer> container = as<IConnectionPointContainer>(m.probe.Get());
    ComPtr<IEnumConnectionPoints> points;
    ASSERT_EQ(container->EnumConnectionPoints(&points), S_OK);
    std::vector<IID> iids;
    for (ComPtr<IConnectionPoint> p;
         points->Next(1, p.ReleaseAndGetAddressOf(), nullptr) == S_OK;) {
        IID iid{};
        p->GetConnectionInterface(&iid);
        iids.push_back(iid);
    }
    EXPECT_EQ(iids, (std::vector<IID>{DIID_DProbeEvents, IID_IPropertyNotifySink}));

    ComPtr<IConnectionPoint> events, changes;
    ASSERT_EQ(container->FindConnectionPoint(DIID_DProbeEvents, &events), S_OK);
    ASSERT_EQ(container->FindConnectionPoint(IID_IPropertyNotifySink, &changes), S_OK);
    auto notify = makeCom<NotifyRecorder>();
    auto recorder = makeCom<EventRecorder>();
    DWORD cookie = 0;
    EXPECT_EQ(events->Advise(static_cast<IPropertyNotifySink*>(notify.Get()), &cookie),
              CONNECT_E_CANNOTCONNECT);
    EXPECT_EQ(changes->Advise(static_cast<IDispatch*>(recorder.Get()), &cookie),
              CONNECT_E_CANNOTCONNECT);
}

} // namespace
} // namespace pkw::test
