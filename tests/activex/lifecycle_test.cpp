// Initialize, InitProperties and Terminate: order, once-only, re-entrancy,
// and the module's object count.
#include "common/com/module.h"
#include "probe_test.h"

namespace pkw::test {
namespace {

using Log = std::vector<std::wstring>;
using LifecycleTest = ProbeTest;

TEST_F(LifecycleTest, InitNewBeforeSiteHasAWindowAndTheDefaultAmbients) {
    MadeProbe m = makeProbe();
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
    EXPECT_EQ(probeLog(), (Log{L"Initialize", L"InitProperties"}));
}

TEST_F(LifecycleTest, InitializeAndTerminateRunOnceEachInOrder) {
    MadeProbe m = makeProbe();
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
    EXPECT_EQ(probeLog(), (Log{L"Initialize", L"InitProperties", L"Terminate", L"Destroyed"}));

    // A control made without its class's create function initialises first.
    probeLog().clear();
    ComPtr<IProbe> bare = Adopt(static_cast<IProbe*>(new Probe()));
    EXPECT_TRUE(probeLog().empty());
    ASSERT_EQ(as<IPersistStreamInit>(bare.Get())->InitNew(), S_OK);
    bare.Reset();
    EXPECT_EQ(probeLog(), (Log{L"Initialize", L"InitProperties", L"Terminate", L"Destroyed"}));
}

TEST_F(LifecycleTest, AReferenceKeptInTerminateKeepsTheObjectUntilItGoes) {
    MadeProbe m = makeProbe();
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
    auto site = addProbe(L"Probe1", {10, 10, 110, 34});
    ASSERT_TRUE(site);
    ASSERT_EQ(form().focus(*site.Get()), S_OK);
    EXPECT_GT(module::lockCount(), before);
    ASSERT_EQ(form().remove(*site.Get()), S_OK);
    EXPECT_EQ(form().activeObject(), nullptr);
    EXPECT_EQ(countLog(L"Destroyed"), 1);
    EXPECT_EQ(module::lockCount(), before);
}

} // namespace
} // namespace pkw::test
