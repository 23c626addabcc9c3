// Hosting a real control of the library's plumbing: what the container
// gives it (ambients, extender, size, focus) and what it gets back (events
// answered by reference, notifications by name, saved settings).
#include "probe_host.h"

#include "common/com/bstr.h"
#include "common/com/module.h"
#include "tests/support/units.h"

#include <olectl.h>

#include <gtest/gtest.h>

namespace pkw::test {
namespace {

using HostingTest = ProbeHostTest;

RECT windowRectInForm(HWND window, HWND form) {
    RECT r{};
    ::GetWindowRect(window, &r);
    ::MapWindowPoints(nullptr, form, reinterpret_cast<POINT*>(&r), 2);
    return r;
}

TEST_F(HostingTest, TheProbeSeesItsAmbientsAtRunTimeAndAtDesignTime) {
    for (const bool userMode : {true, false}) {
        SCOPED_TRACE(userMode ? "run time" : "design time");
        form().setUserMode(userMode);
        Probe* probe = nullptr;
        auto site = addProbe(L"Probe1", {20, 30, 140, 54}, &probe);
        ASSERT_TRUE(site);
        const InitSnapshot& seen = probe->initSnapshot();
        EXPECT_TRUE(seen.windowValid);
        EXPECT_EQ(seen.userMode, userMode);
        EXPECT_EQ(seen.displayName, L"Probe1");
        // A copy of the form's ambient font.
        ComPtr<IFont> ambient;
        ASSERT_HRESULT_SUCCEEDED(form().ambients().font.As(&ambient));
        Bstr name;
        CY size{};
        ambient->get_Name(name.put());
        ambient->get_Size(&size);
        EXPECT_EQ(name.str(), L"Tahoma");
        EXPECT_EQ(seen.fontName, name.str());
        EXPECT_EQ(seen.fontSizeCy, size.int64);

        HWND window = site->window();
        ASSERT_TRUE(window);
        EXPECT_EQ(window, probe->hwnd());
        EXPECT_TRUE(::IsChild(form().hwnd(), window));
        EXPECT_TRUE(::IsWindowVisible(window));
        const RECT r = windowRectInForm(window, form().hwnd());
        EXPECT_EQ(r.left, 20);
        EXPECT_EQ(r.top, 30);
        EXPECT_EQ(r.right, 140);
        EXPECT_EQ(r.bottom, 54);
        EXPECT_EQ(typeName(site->extender()), L"Probe");
        ASSERT_HRESULT_SUCCEEDED(form().remove(*site.Get()));
    }
}

TEST_F(HostingTest, EventsAreAnsweredThroughByReferenceArguments) {
    auto site = addProbe(L"Probe1", {10, 10, 110, 34});
    ASSERT_TRUE(site);
    const Variant three = Variant::fromI2(3);
    Variant result;
    ASSERT_HRESULT_SUCCEEDED(site->call(L"Ask", {&three, 1}, &result));
    EXPECT_EQ(result.lVal, 3); // nobody answered

    site->events().on(L"Query", [](EventCall& call) {
        EXPECT_HRESULT_SUCCEEDED(call.set(L"Answer", Variant::fromI2(7)));
        EXPECT_HRESULT_SUCCEEDED(call.set(L"Cancel", Variant::fromBool(true)));
    });
    const Variant five = Variant::fromI2(5);
    ASSERT_HRESULT_SUCCEEDED(site->call(L"Ask", {&five, 1}, &result));
    EXPECT_EQ(result.lVal, 1007);

    EXPECT_EQ(site->events().names(), (std::vector<std::wstring>{L"Query", L"Query"}));
    const RecordedEvent* last = site->events().last(L"Query");
    ASSERT_NE(last, nullptr);
    EXPECT_EQ(last->arg(L"Answer")->value.iVal, 5);
    EXPECT_EQ(last->arg(L"Cancel")->value.boolVal, VARIANT_FALSE);
}

TEST_F(HostingTest, PropertyChangesAreNotifiedByName) {
    auto site = addProbe(L"Probe1", {10, 10, 110, 34});
    ASSERT_TRUE(site);
    site->notifications().clear();
    ASSERT_HRESULT_SUCCEEDED(site->put(L"Caption", Variant::fromString(L"New")));
    ASSERT_HRESULT_SUCCEEDED(site->put(L"Value", Variant::fromI2(2)));
    ASSERT_HRESULT_SUCCEEDED(site->put(L"BackColor", Variant::fromI4(0xFF)));
    EXPECT_EQ(site->notifications().names(),
              (std::vector<std::wstring>{L"Caption", L"Value", L"BackColor"}));
    EXPECT_EQ(site->notifications().ids(),
              (std::vector<DISPID>{DISPID_CAPTION, 1, DISPID_BACKCOLOR}));
}

TEST_F(HostingTest, TheControlsSizeOperationGoesThroughTheContainer) {
    Probe* probe = nullptr;
    auto site = addProbe(L"Probe1", {10, 10, 110, 34}, &probe);
    ASSERT_TRUE(site);
    ASSERT_HRESULT_SUCCEEDED(
        probe->setSizeTwips(units::pixelsToTwipsX(200), units::pixelsToTwipsY(40)));
    EXPECT_EQ(site->counters().posRectChanges, 1);
    const RECT& r = site->rect();
    EXPECT_EQ(r.right - r.left, 200);
    EXPECT_EQ(r.bottom - r.top, 40);
    RECT client{};
    ::GetClientRect(site->window(), &client);
    EXPECT_EQ(client.right, 200);
    EXPECT_EQ(client.bottom, 40);
    Variant width;
    ASSERT_HRESULT_SUCCEEDED(site->get(L"Width", width));
    EXPECT_FLOAT_EQ(width.fltVal, float(units::pixelsToTwipsX(200)));

    // And the other way: the container resizes through the extender.
    ASSERT_HRESULT_SUCCEEDED(site->put(L"Height", Variant::fromI4(units::pixelsToTwipsY(25))));
    ::GetClientRect(site->window(), &client);
    EXPECT_EQ(client.bottom, 25);
    EXPECT_EQ(probe->scaleHeightTwips(), units::pixelsToTwipsY(25));
}

TEST_F(HostingTest, SavedSettingsLoadIntoASecondProbe) {
    Probe* first = nullptr;
    auto source = addProbe(L"Probe1", {10, 10, 110, 34}, &first);
    ASSERT_TRUE(source);
    ASSERT_HRESULT_SUCCEEDED(source->put(L"Caption", Variant::fromString(L"Saved")));
    ASSERT_HRESULT_SUCCEEDED(source->put(L"Value", Variant::fromI2(3)));
    FONTDESC desc{sizeof(FONTDESC),
                  const_cast<LPOLESTR>(L"Tahoma"),
                  {},
                  FW_BOLD,
                  DEFAULT_CHARSET,
                  FALSE,
                  FALSE,
                  FALSE};
    desc.cySize.int64 = 120000;
    ComPtr<IFontDisp> bold;
    ASSERT_HRESULT_SUCCEEDED(::OleCreateFontIndirect(&desc, IID_PPV_ARGS(&bold)));
    ASSERT_HRESULT_SUCCEEDED(source->putRef(L"Font", bold.Get()));

    auto bag = MemoryPropertyBag::create();
    ASSERT_HRESULT_SUCCEEDED(saveToBag(source->control(), bag.Get()));
    EXPECT_TRUE(bag->has(L"caption"));
    ComPtr<IStream> stream;
    ASSERT_HRESULT_SUCCEEDED(saveToStream(source->control(), stream));

    AddOptions fromBag;
    fromBag.init = AddOptions::Init::PropertyBag;
    fromBag.bag = bag.Get();
    AddOptions fromStream;
    fromStream.init = AddOptions::Init::Stream;
    fromStream.stream = stream.Get();
    for (const AddOptions* options : {&fromBag, &fromStream}) {
        Probe* copy = nullptr;
        auto site = addProbe(L"Copy", {10, 50, 110, 74}, &copy, *options);
        ASSERT_TRUE(site);
        EXPECT_EQ(copy->caption(), L"Saved");
        EXPECT_EQ(copy->value(), 3);
        ComPtr<IFont> font;
        ASSERT_TRUE(copy->storedFont());
        ASSERT_HRESULT_SUCCEEDED(copy->storedFont().As(&font));
        Bstr name;
        BOOL isBold = FALSE;
        CY size{};
        font->get_Name(name.put());
        font->get_Bold(&isBold);
        font->get_Size(&size);
        EXPECT_EQ(name.str(), L"Tahoma");
        EXPECT_TRUE(isBold);
        EXPECT_EQ(size.int64, 120000);
        // The copy's own font, not the first probe's.
        EXPECT_NE(static_cast<IUnknown*>(copy->storedFont().Get()),
                  static_cast<IUnknown*>(bold.Get()));
        ASSERT_HRESULT_SUCCEEDED(form().remove(*site.Get()));
    }
}

TEST_F(HostingTest, AmbientChangesAndAccessKeysReachThePlumbing) {
    Probe* probe = nullptr;
    auto site = addProbe(L"Probe1", {10, 10, 110, 34}, &probe);
    ASSERT_TRUE(site);
    form().setUserMode(false);
    site->setDisplayName(L"Other");
    EXPECT_EQ(logOf({L"AmbientChanged"}),
              (std::vector<std::wstring>{L"AmbientChanged -709", L"AmbientChanged -702"}));

    form().setUserMode(true);
    probe->setAccessKeys(L"p");
    EXPECT_GE(site->counters().controlInfoChanges, 1);
    EXPECT_FALSE(site->accelerators().empty());
    EXPECT_EQ(form().mnemonic(L'p'), site.Get());
    EXPECT_EQ(form().mnemonic(L'q'), nullptr);
    EXPECT_EQ(logOf({L"AccessKeyPress"}), std::vector<std::wstring>{L"AccessKeyPress p"});
}

TEST_F(HostingTest, FocusMovesBetweenControls) {
    auto first = addProbe(L"Probe1", {10, 10, 110, 34});
    auto second = addProbe(L"Probe2", {10, 50, 110, 74});
    ASSERT_TRUE(first && second);
    ASSERT_EQ(form().focus(*first.Get()), S_OK);
    EXPECT_EQ(::GetFocus(), first->window());
    EXPECT_TRUE(first->hasFocus());
    EXPECT_EQ(form().uiActiveSite(), first.Get());
    EXPECT_TRUE(form().activeObject());

    ASSERT_EQ(form().focus(*second.Get()), S_OK);
    EXPECT_EQ(::GetFocus(), second->window());
    EXPECT_FALSE(first->hasFocus());
    EXPECT_FALSE(first->uiActive());
    EXPECT_EQ(form().focusedSite(), second.Get());
    EXPECT_EQ(logOf({L"GotFocus", L"LostFocus"}),
              (std::vector<std::wstring>{L"GotFocus", L"LostFocus", L"GotFocus"}));
}

// A handler that takes the control off the form while the control raises
// the event: the container carries on, and so does the control's code.
TEST_F(HostingTest, AHandlerMayRemoveTheControlItIsHandling) {
    Probe* probe = nullptr;
    auto site = addProbe(L"Probe1", {10, 10, 110, 34}, &probe);
    ASSERT_TRUE(site);
    ComPtr<IProbe> keep;
    ASSERT_HRESULT_SUCCEEDED(site->control()->QueryInterface(IID_PPV_ARGS(&keep)));
    site->events().on(L"Query",
                      [&](EventCall&) { EXPECT_HRESULT_SUCCEEDED(form().remove(*site.Get())); });
    LONG result = 0;
    ASSERT_HRESULT_SUCCEEDED(keep->Ask(4, &result));
    EXPECT_EQ(result, 4);
    EXPECT_EQ(form().count(), 0u);
    EXPECT_EQ(site->control(), nullptr);
    keep.Reset();
    EXPECT_TRUE(logged(L"Terminate"));
    EXPECT_TRUE(logged(L"Destroyed"));
}

TEST_F(HostingTest, RemovingTheControlReleasesIt) {
    const LONG before = module::lockCount();
    auto site = addProbe(L"Probe1", {10, 10, 110, 34});
    ASSERT_TRUE(site);
    ASSERT_HRESULT_SUCCEEDED(form().focus(*site.Get()));
    EXPECT_GT(module::lockCount(), before);
    ASSERT_HRESULT_SUCCEEDED(form().remove(*site.Get()));
    EXPECT_TRUE(logged(L"Destroyed"));
    EXPECT_EQ(module::lockCount(), before);
    EXPECT_EQ(form().activeObject(), nullptr);
}

} // namespace
} // namespace pkw::test
