// Initialize, InitProperties and Terminate: order, once-only, re-entrancy,
// and the module's object count.
#include "common/com/com_ptr.h"
#include "activex/control_class.h"
#include "common/com/module.h"
#include "ole_test.h"

namespace pkw::test {
namespace {

using LifecycleTest = OleTest;

TEST_F(LifecycleTest, InitNewBeforeSiteHasAWindowAndTheDefaultAmbients) {
    Made m = makeProbe();
    ASSERT_TRUE(m.probe);
    // Many hosts initialise the settings before they site the control.
    ASSERT_EQ(as<IPersistStreamInit>(m.probe.Get())->InitNew(), S_OK);

    const InitSnapshot& seen = m.raw->initSnapshot();
    EXPECT_TRUE(seen.windowValid);
    EXPECT_TRUE(seen.userMode);
    EXPECT_EQ(seen.displayName, L"Probe");
    const FontLook fallback = defaultFontLook();
    EXPECT_EQ(seen.fontName, fallback.name);
    EXPECT_EQ(seen.fontSizeCy, fallback.sizeCy);
    EXPECT_EQ(m.raw->caption(), L"Probe");
    // Parked: a hidden window holds it until a container shows it.
    const HWND parent = ::GetParent(m.raw->hwnd());
    EXPECT_TRUE(parent);
    EXPECT_FALSE(::IsWindowVisible(parent));
    EXPECT_EQ(probeLog(), (std::vector<std::wstring>{L"Initialize", L"InitProperties"}));
}

TEST_F(LifecycleTest, InitializeAndTerminateRunOnceEachInOrder) {
    Made m = makeProbe();
    EXPECT_EQ(m.raw->initialize(), S_OK); // already done by create
    ASSERT_EQ(as<IPersistPropertyBag>(m.probe.Get())->InitNew(), S_OK);
    // Both InitNew methods are one: a second initialisation is refused.
    EXPECT_EQ(as<IPersistStreamInit>(m.probe.Get())->InitNew(), CO_E_ALREADYINITIALIZED);
    // References handed around and given back inside Terminate must not
    // bring the object down a second time.
    m.raw->onTerminateAction = [](Probe& p) {
        ComPtr<IOleObject> again;
        p.QueryInterface(IID_PPV_ARGS(&again));
        again.Reset();
        p.AddRef();
        p.Release();
    };
    m.probe.Reset();
    EXPECT_EQ(probeLog(), (std::vector<std::wstring>{L"Initialize", L"InitProperties", L"Terminate",
                                                     L"Destroyed"}));
}

TEST_F(LifecycleTest, AControlMadeWithoutCreateStillInitialisesFirst) {
    auto* p = new Probe(); // reference count 1, no Initialize yet
    ComPtr<IProbe> probe = Adopt(static_cast<IProbe*>(p));
    EXPECT_TRUE(probeLog().empty());
    ASSERT_EQ(as<IPersistStreamInit>(probe.Get())->InitNew(), S_OK);
    probe.Reset();
    EXPECT_EQ(probeLog(), (std::vector<std::wstring>{L"Initialize", L"InitProperties", L"Terminate",
                                                     L"Destroyed"}));
}

TEST_F(LifecycleTest, AReferenceKeptInTerminateKeepsTheObjectUntilItGoes) {
    Made m = makeProbe();
    ComPtr<IProbe> kept;
    m.raw->onTerminateAction = [&kept](Probe& p) { kept = &p; };
    m.probe.Reset();
    EXPECT_EQ(countLog(L"Terminate"), 1);
    EXPECT_EQ(countLog(L"Destroyed"), 0);
    ASSERT_TRUE(kept);
    EXPECT_TRUE(m.raw->isTerminating());
    kept.Reset();
    EXPECT_EQ(countLog(L"Terminate"), 1);
    EXPECT_EQ(countLog(L"Destroyed"), 1);
}

TEST_F(LifecycleTest, TheModuleCountsEveryLiveObjectAndEndsAtZero) {
    const LONG before = module::lockCount();
    {
        Form form;
        Made m = makeProbe();
        EXPECT_GT(module::lockCount(), before);
        ComPtr<TestSite> site = TestSite::create(form.hwnd());
        ComPtr<IOleObject> ole = as<IOleObject>(m.probe.Get());
        ASSERT_EQ(as<IPersistStreamInit>(m.probe.Get())->InitNew(), S_OK);
        ASSERT_EQ(ole->SetClientSite(site.Get()), S_OK);
        ASSERT_EQ(ole->DoVerb(OLEIVERB_INPLACEACTIVATE, nullptr, site.Get(), 0, form.hwnd(),
                              &site->position),
                  S_OK);
        ComPtr<EventSink> sink = EventSink::create(DIID_DProbeEvents);
        DWORD cookie = 0;
        ASSERT_EQ(connect(m.probe.Get(), DIID_DProbeEvents, sink.Get(), &cookie), S_OK);
        ComPtr<IEnumConnectionPoints> points;
        ASSERT_EQ(as<IConnectionPointContainer>(m.probe.Get())->EnumConnectionPoints(&points),
                  S_OK);
        ole->Close(OLECLOSE_NOSAVE);
        ole->SetClientSite(nullptr);
        ole.Reset();
        m.probe.Reset();
        // The enumerator keeps the control, and itself counts.
        EXPECT_EQ(countLog(L"Destroyed"), 0);
        EXPECT_GT(module::lockCount(), before);
        points.Reset();
        EXPECT_EQ(countLog(L"Destroyed"), 1);
    }
    EXPECT_EQ(module::lockCount(), before);
}

TEST_F(LifecycleTest, AHostThatNeverInitialisesStillGetsFreshSettingsBeforeShowing) {
    Form form;
    Made m = makeProbe();
    ComPtr<TestSite> site = TestSite::create(form.hwnd());
    ComPtr<IOleObject> ole = as<IOleObject>(m.probe.Get());
    ASSERT_EQ(ole->SetClientSite(site.Get()), S_OK);
    ASSERT_EQ(
        ole->DoVerb(OLEIVERB_INPLACEACTIVATE, nullptr, site.Get(), 0, form.hwnd(), &site->position),
        S_OK);
    EXPECT_EQ(countLog(L"InitProperties"), 1);
    EXPECT_LT(logIndex(L"InitProperties"), logIndex(L"Show"));
    ole->Close(OLECLOSE_NOSAVE);
    ole->SetClientSite(nullptr);
}

} // namespace
} // namespace pkw::test
