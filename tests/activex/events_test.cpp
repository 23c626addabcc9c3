// What the plumbing adds to the server kit's events: frozen events, a
// handler that removes the control inside a window message, and
// property-change notices by name.
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

} // namespace
} // namespace pkw::test
