// The connection-point protocol, once for every object of the project that
// raises events: finding and listing points, which sinks a point takes,
// snapshot enumerators, and raising events while handlers connect,
// disconnect or release the object.
#include "test_classes.h"

#include <gtest/gtest.h>
#include <olectl.h>

namespace pkw::test {
namespace {

ComPtr<IConnectionPoint> pointOf(IUnknown* object, REFIID iid) {
    ComPtr<IConnectionPointContainer> container;
    ComPtr<IConnectionPoint> point;
    if (SUCCEEDED(object->QueryInterface(IID_PPV_ARGS(&container))))
        container->FindConnectionPoint(iid, &point);
    return point;
}

ULONG referencesOf(IUnknown* object) {
    object->AddRef();
    return object->Release();
}

class ConnectionPointTest : public ::testing::Test {
protected:
    ComPtr<com::ComObject<Thing>> thing = make<Thing>();
    ComPtr<IConnectionPoint> events =
        pointOf(static_cast<IKitThing*>(thing.Get()), DIID_DKitThingEvents);

    DWORD connect(IUnknown* sink) {
        DWORD cookie = 0;
        EXPECT_EQ(events->Advise(sink, &cookie), S_OK);
        return cookie;
    }
    LONG ask(LONG question) {
        LONG answer = 0;
        EXPECT_EQ(thing->Ask(question, &answer), S_OK);
        return answer;
    }
};

TEST_F(ConnectionPointTest, TheObjectFindsAndListsItsPoints) {
    ComPtr<IConnectionPointContainer> container;
    ASSERT_EQ(thing->QueryInterface(IID_PPV_ARGS(&container)), S_OK);
    ComPtr<IConnectionPoint> none;
    EXPECT_EQ(container->FindConnectionPoint(IID_IDispatch, &none), CONNECT_E_NOCONNECTION);
    EXPECT_FALSE(none);
    ASSERT_TRUE(events);

    ComPtr<IEnumConnectionPoints> points;
    ASSERT_EQ(container->EnumConnectionPoints(&points), S_OK);
    std::vector<IID> listed;
    for (ComPtr<IConnectionPoint> p;
         points->Next(1, p.ReleaseAndGetAddressOf(), nullptr) == S_OK;) {
        IID iid{};
        ASSERT_EQ(p->GetConnectionInterface(&iid), S_OK);
        listed.push_back(iid);
    }
    EXPECT_EQ(listed, (std::vector<IID>{DIID_DKitThingEvents, IID_IPropertyNotifySink}));

    // A point is an object of its own that leads back to its container.
    ComPtr<IConnectionPointContainer> back;
    ASSERT_EQ(events->GetConnectionPointContainer(&back), S_OK);
    EXPECT_EQ(back.Get(), container.Get());
    ComPtr<IUnknown> pointIdentity, thingIdentity;
    events.As(&pointIdentity);
    container.As(&thingIdentity);
    EXPECT_NE(pointIdentity.Get(), thingIdentity.Get());
}

TEST_F(ConnectionPointTest, APointTakesOnlySinksOfItsKind) {
    const auto dispatchOnly = make<EventSink>();
    const auto typed = make<TypedEventSink>();
    const auto notify = make<NotifySink>();
    DWORD cookie = 7;
    EXPECT_EQ(events->Advise(static_cast<IPropertyNotifySink*>(notify.Get()), &cookie),
              CONNECT_E_CANNOTCONNECT);
    EXPECT_EQ(cookie, 0u);
    // A dispinterface takes a plain IDispatch as well.
    const DWORD a = connect(static_cast<IDispatch*>(dispatchOnly.Get()));
    const DWORD b = connect(static_cast<IDispatch*>(typed.Get()));
    EXPECT_NE(a, 0u);
    EXPECT_NE(a, b);

    // Any other interface must be answered itself.
    const auto changes = pointOf(static_cast<IKitThing*>(thing.Get()), IID_IPropertyNotifySink);
    EXPECT_EQ(changes->Advise(static_cast<IDispatch*>(typed.Get()), &cookie),
              CONNECT_E_CANNOTCONNECT);
    ASSERT_EQ(changes->Advise(static_cast<IPropertyNotifySink*>(notify.Get()), &cookie), S_OK);
    EXPECT_EQ(thing->put_Size(3), S_OK);
    EXPECT_EQ(notify->changed, std::vector<DISPID>{1});

    // Each cookie disconnects once, and the point lets its sink go.
    const ULONG held = referencesOf(static_cast<IDispatch*>(typed.Get()));
    EXPECT_EQ(events->Unadvise(b), S_OK);
    EXPECT_EQ(events->Unadvise(b), CONNECT_E_NOCONNECTION);
    EXPECT_EQ(events->Unadvise(0), CONNECT_E_NOCONNECTION);
    EXPECT_EQ(referencesOf(static_cast<IDispatch*>(typed.Get())), held - 1);
    ask(1);
    EXPECT_TRUE(typed->heard.empty());
    EXPECT_EQ(dispatchOnly->heard.size(), 1u);
}

TEST_F(ConnectionPointTest, EnumeratorsWalkASnapshot) {
    const auto one = make<EventSink>(), two = make<EventSink>(), three = make<EventSink>();
    const DWORD cookies[] = {connect(static_cast<IDispatch*>(one.Get())),
                             connect(static_cast<IDispatch*>(two.Get())),
                             connect(static_cast<IDispatch*>(three.Get()))};
    ComPtr<IEnumConnections> list;
    ASSERT_EQ(events->EnumConnections(&list), S_OK);
    // Disconnected after the snapshot: still listed, and kept alive by it.
    ASSERT_EQ(events->Unadvise(cookies[2]), S_OK);

    CONNECTDATA data[3]{};
    ULONG fetched = 9;
    EXPECT_EQ(list->Next(2, data, nullptr), E_INVALIDARG);
    ASSERT_EQ(list->Next(2, data, &fetched), S_OK);
    ASSERT_EQ(fetched, 2u);
    EXPECT_EQ(data[0].dwCookie, cookies[0]);
    EXPECT_EQ(data[1].dwCookie, cookies[1]);
    const ComPtr<IUnknown> first = Adopt(data[0].pUnk), second = Adopt(data[1].pUnk);
    EXPECT_EQ(first.Get(), static_cast<IUnknown*>(static_cast<IDispatch*>(one.Get())));

    ComPtr<IEnumConnections> copy;
    ASSERT_EQ(list->Clone(&copy), S_OK);
    ASSERT_EQ(list->Next(3, data, &fetched), S_FALSE);
    ASSERT_EQ(fetched, 1u);
    const ComPtr<IUnknown> last = Adopt(data[0].pUnk);
    EXPECT_EQ(data[0].dwCookie, cookies[2]);
    EXPECT_EQ(last.Get(), static_cast<IUnknown*>(static_cast<IDispatch*>(three.Get())));

    // The copy goes on where the original stood.
    ASSERT_EQ(copy->Next(1, data, nullptr), S_OK);
    EXPECT_EQ(data[0].dwCookie, cookies[2]);
    Adopt(data[0].pUnk);
}

TEST_F(ConnectionPointTest, SinksAnswerInTurnAndAFailingOneStopsNoOther) {
    const auto add = make<EventSink>(), fail = make<EventSink>(), times = make<EventSink>();
    add->onQuery = [](LONG& answer) { answer += 1; };
    fail->result = DISP_E_EXCEPTION;
    times->onQuery = [](LONG& answer) { answer *= 10; };
    connect(static_cast<IDispatch*>(add.Get()));
    connect(static_cast<IDispatch*>(fail.Get()));
    connect(static_cast<IDispatch*>(times.Get()));
    EXPECT_EQ(ask(4), 50); // (4 + 1) * 10: in the order of connection
    EXPECT_EQ(fail->heard, std::vector<LONG>{5});
    EXPECT_EQ(times->heard, std::vector<LONG>{5});
}

TEST_F(ConnectionPointTest, HandlersMayDisconnectConnectAndReleaseWhileAnEventIsRaised) {
    const auto first = make<EventSink>(), second = make<EventSink>(), late = make<EventSink>();
    connect(static_cast<IDispatch*>(first.Get()));
    const DWORD secondCookie = connect(static_cast<IDispatch*>(second.Get()));
    IKitThing* raw = thing.Get();
    int aliveDuring = 0;
    first->onQuery = [&](LONG&) {
        events->Unadvise(secondCookie);
        DWORD cookie = 0;
        events->Advise(static_cast<IDispatch*>(late.Get()), &cookie);
        // The handler drops the caller's references: the object lives until
        // the event is over.
        events.Reset();
        thing.Reset();
        aliveDuring = Thing::alive;
    };
    const int before = Thing::alive;
    LONG answer = 0;
    EXPECT_EQ(raw->Ask(1, &answer), S_OK);
    EXPECT_EQ(aliveDuring, before);
    EXPECT_EQ(Thing::alive, before - 1);
    EXPECT_TRUE(second->heard.empty()) << "disconnected before its turn";
    EXPECT_TRUE(late->heard.empty()) << "connected after the event began";
}

TEST_F(ConnectionPointTest, APointOrAnEnumeratorOfPointsKeepsTheObject) {
    ComPtr<IConnectionPointContainer> container;
    ASSERT_EQ(thing->QueryInterface(IID_PPV_ARGS(&container)), S_OK);
    ComPtr<IEnumConnectionPoints> points;
    ASSERT_EQ(container->EnumConnectionPoints(&points), S_OK);
    const int before = Thing::alive;
    container.Reset();
    thing.Reset();
    IID iid{};
    EXPECT_EQ(events->GetConnectionInterface(&iid), S_OK);
    events.Reset();
    EXPECT_EQ(Thing::alive, before);
    points.Reset();
    EXPECT_EQ(Thing::alive, before - 1);
}

} // namespace
} // namespace pkw::test
