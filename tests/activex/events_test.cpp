// Events with by-reference answers, handlers that release the control,
// frozen events, property-change notices by name, and the connection-point
// protocol.
#include "ole_test.h"

#include "common/com/bstr.h"

namespace pkw::test {
namespace {

using EventsTest = OleTest;

// Answers Query: Answer = 42, Cancel = True.
void answerQuery(DISPID id, DISPPARAMS& params) {
    if (id != kQueryEvent || params.cArgs != 2) return;
    *params.rgvarg[1].piVal = 42;              // Answer (first declared, last in DISPPARAMS)
    *params.rgvarg[0].pboolVal = VARIANT_TRUE; // Cancel
}

TEST_F(EventsTest, ByReferenceArgumentsCarryTheHandlersAnswersBack) {
    Made m = makeProbe();
    ComPtr<EventSink> sink = EventSink::create(DIID_DProbeEvents);
    sink->answer = answerQuery;
    DWORD cookie = 0;
    ASSERT_EQ(connect(m.probe.Get(), DIID_DProbeEvents, sink.Get(), &cookie), S_OK);

    LONG result = 0;
    ASSERT_EQ(m.probe->Ask(5, &result), S_OK);
    EXPECT_EQ(result, 1042);
    ASSERT_EQ(sink->events.size(), 1u);
    EXPECT_EQ(sink->events[0].id, kQueryEvent);
    ASSERT_EQ(sink->events[0].args.size(), 2u);
    EXPECT_EQ(sink->events[0].args[0].vt, VT_I2); // declaration order, as they arrived
    EXPECT_EQ(sink->events[0].args[0].iVal, 5);
    EXPECT_EQ(sink->events[0].args[1].vt, VT_BOOL);
    EXPECT_EQ(sink->events[0].args[1].boolVal, VARIANT_FALSE);
}

TEST_F(EventsTest, EverySinkHearsTheEventWhateverTheOthersDo) {
    Made m = makeProbe();
    ComPtr<EventSink> first = EventSink::create(DIID_DProbeEvents);
    ComPtr<EventSink> second = EventSink::create(DIID_DProbeEvents);
    first->answer = [](DISPID, DISPPARAMS& p) { *p.rgvarg[1].piVal += 1; };
    second->answer = [](DISPID, DISPPARAMS& p) { *p.rgvarg[1].piVal *= 10; };
    DWORD c1 = 0, c2 = 0;
    ASSERT_EQ(connect(m.probe.Get(), DIID_DProbeEvents, first.Get(), &c1), S_OK);
    ASSERT_EQ(connect(m.probe.Get(), DIID_DProbeEvents, second.Get(), &c2), S_OK);
    LONG result = 0;
    ASSERT_EQ(m.probe->Ask(1, &result), S_OK);
    EXPECT_EQ(result, 20); // (1 + 1) * 10: in order of connection, on the same variables
    EXPECT_EQ(second->events.at(0).args.at(0).iVal, 2);
}

TEST_F(EventsTest, WithoutSinksOrWhileFrozenNothingIsRaised) {
    Made m = makeProbe();
    LONG result = 0;
    ASSERT_EQ(m.probe->Ask(5, &result), S_OK);
    EXPECT_EQ(result, 5);

    ComPtr<EventSink> sink = EventSink::create(DIID_DProbeEvents);
    sink->answer = answerQuery;
    DWORD cookie = 0;
    ASSERT_EQ(connect(m.probe.Get(), DIID_DProbeEvents, sink.Get(), &cookie), S_OK);
    ComPtr<IOleControl> control = as<IOleControl>(m.probe.Get());
    control->FreezeEvents(TRUE);
    control->FreezeEvents(TRUE);
    EXPECT_EQ(m.probe->Ask(5, &result), S_FALSE);
    control->FreezeEvents(FALSE);
    EXPECT_EQ(m.probe->Ask(5, &result), S_FALSE); // still frozen once
    EXPECT_TRUE(sink->events.empty());
    control->FreezeEvents(FALSE);
    control->FreezeEvents(FALSE); // more thaws than freezes: harmless
    EXPECT_EQ(m.probe->Ask(5, &result), S_OK);
    EXPECT_EQ(result, 1042);
    EXPECT_EQ(sink->events.size(), 1u);
}

TEST_F(EventsTest, AHandlerThatReleasesTheControlDuringAMethodCallIsSafe) {
    Made m = makeProbe();
    ComPtr<EventSink> sink = EventSink::create(DIID_DProbeEvents);
    IProbe* probe = m.probe.Detach(); // the test's one reference, given away below
    sink->answer = [&probe](DISPID id, DISPPARAMS& params) {
        answerQuery(id, params);
        probe->Release();
        EXPECT_EQ(countLog(L"Destroyed"), 0); // still alive inside the event
    };
    DWORD cookie = 0;
    ASSERT_EQ(connect(probe, DIID_DProbeEvents, sink.Get(), &cookie), S_OK);
    LONG result = 0;
    EXPECT_EQ(probe->Ask(5, &result), S_OK);
    EXPECT_EQ(result, 1042);
    EXPECT_EQ(countLog(L"Terminate"), 1);
    EXPECT_EQ(countLog(L"Destroyed"), 1);
}

TEST_F(HostedTest, AHandlerThatReleasesTheControlDuringAWindowMessageIsSafe) {
    ASSERT_EQ(initAndActivate(), S_OK);
    ComPtr<EventSink> sink = EventSink::create(DIID_DProbeEvents);
    DWORD cookie = 0;
    ASSERT_EQ(connect(made_.probe.Get(), DIID_DProbeEvents, sink.Get(), &cookie), S_OK);
    // The handler drops every reference the container holds.
    sink->answer = [this](DISPID, DISPPARAMS&) {
        oleObject_->Close(OLECLOSE_NOSAVE);
        oleObject_->SetClientSite(nullptr);
        oleObject_.Reset();
        inPlace_.Reset();
        made_.probe.Reset();
    };
    const HWND window = hwnd();
    ::SendMessageW(window, WM_KEYDOWN, kPingKey, 0);
    // The key handler finished on a live object; only then did it go.
    const auto done = logIndex(L"KeyDown done Probe");
    ASSERT_GE(done, 0);
    EXPECT_LT(done, logIndex(L"Terminate"));
    EXPECT_LT(logIndex(L"Terminate"), logIndex(L"Destroyed"));
    EXPECT_FALSE(::IsWindow(window));
}

TEST_F(EventsTest, PropertyChangesNotifyTheDispidOfTheNamedProperty) {
    Made m = makeProbe();
    ComPtr<PropertySink> sink = PropertySink::create();
    DWORD cookie = 0;
    ASSERT_EQ(connect(m.probe.Get(), IID_IPropertyNotifySink, sink.Get(), &cookie), S_OK);
    ComPtr<IPersistStreamInit> persist = as<IPersistStreamInit>(m.probe.Get());
    ComPtr<IStream> s;
    ::CreateStreamOnHGlobal(nullptr, TRUE, &s);

    struct Case {
        const char* what;
        std::function<void()> change;
        DISPID expected;
    };
    ComPtr<IFontDisp> font = m.raw->ambientFont();
    const Case cases[] = {
        {"Caption", [&] { m.probe->put_Caption(Bstr(L"x").get()); }, DISPID_CAPTION},
        {"Value", [&] { m.probe->put_Value(1); }, 1},
        {"BackColor", [&] { m.probe->put_BackColor(0xFF); }, DISPID_BACKCOLOR},
        {"Font", [&] { m.probe->putref_Font(font.Get()); }, DISPID_FONT},
        {"name in other case", [&] { m.raw->propertyChanged(L"cAPTION"); }, DISPID_CAPTION},
        {"unknown name", [&] { m.raw->propertyChanged(L"NoSuchProperty"); }, DISPID_UNKNOWN},
    };
    for (const Case& c : cases) {
        sink->changed.clear();
        persist->Save(s.Get(), TRUE);
        ASSERT_EQ(persist->IsDirty(), S_FALSE) << c.what;
        c.change();
        EXPECT_EQ(sink->changed, std::vector<DISPID>{c.expected}) << c.what;
        EXPECT_EQ(persist->IsDirty(), S_OK) << c.what;
    }
}

TEST_F(EventsTest, ConnectionPointsFollowTheProtocol) {
    Made m = makeProbe();
    ComPtr<IConnectionPointContainer> container = as<IConnectionPointContainer>(m.probe.Get());
    ComPtr<IConnectionPoint> point;
    EXPECT_EQ(container->FindConnectionPoint(IID_IDispatch, &point), CONNECT_E_NOCONNECTION);
    ASSERT_EQ(container->FindConnectionPoint(DIID_DProbeEvents, &point), S_OK);

    // The points: the class's events and property changes.
    ComPtr<IEnumConnectionPoints> points;
    ASSERT_EQ(container->EnumConnectionPoints(&points), S_OK);
    std::vector<IID> iids;
    IConnectionPoint* next = nullptr;
    while (points->Next(1, &next, nullptr) == S_OK) {
        IID iid{};
        next->GetConnectionInterface(&iid);
        iids.push_back(iid);
        next->Release();
    }
    EXPECT_EQ(iids, (std::vector<IID>{DIID_DProbeEvents, IID_IPropertyNotifySink}));

    // A sink of the wrong kind cannot connect.
    ComPtr<PropertySink> wrong = PropertySink::create();
    DWORD cookie = 99;
    EXPECT_EQ(point->Advise(wrong.Get(), &cookie), CONNECT_E_CANNOTCONNECT);
    EXPECT_EQ(cookie, 0u);

    ComPtr<EventSink> a = EventSink::create(DIID_DProbeEvents);
    ComPtr<EventSink> b = EventSink::create(DIID_DProbeEvents);
    DWORD ca = 0, cb = 0;
    ASSERT_EQ(point->Advise(a.Get(), &ca), S_OK);
    ASSERT_EQ(point->Advise(b.Get(), &cb), S_OK);
    EXPECT_NE(ca, cb);
    ComPtr<IEnumConnections> connections;
    ASSERT_EQ(point->EnumConnections(&connections), S_OK);
    CONNECTDATA data[3]{};
    ULONG fetched = 0;
    EXPECT_EQ(connections->Next(3, data, &fetched), S_FALSE);
    ASSERT_EQ(fetched, 2u);
    EXPECT_EQ(data[0].dwCookie, ca);
    EXPECT_EQ(data[1].dwCookie, cb);
    for (ULONG i = 0; i < fetched; ++i)
        data[i].pUnk->Release();

    EXPECT_EQ(point->Unadvise(ca), S_OK);
    EXPECT_EQ(point->Unadvise(ca), CONNECT_E_NOCONNECTION);
    LONG result = 0;
    m.probe->Ask(1, &result);
    EXPECT_TRUE(a->events.empty());
    EXPECT_EQ(b->events.size(), 1u);
    ComPtr<IConnectionPointContainer> back;
    ASSERT_EQ(point->GetConnectionPointContainer(&back), S_OK);
    EXPECT_EQ(back.Get(), container.Get());
}

} // namespace
} // namespace pkw::test
