#include "tests/support/container_test.h"

#include "tests/support/units.h"
#include "spy_control.h"

#include <olectl.h>

#include <gtest/gtest.h>

namespace pkw::test {
namespace {

using Calls = std::vector<std::wstring>;

class SiteOrderTest : public ContainerTest {
protected:
    ComPtr<Site> addSpy(ComPtr<SpyControl>& spy, const wchar_t* name,
                        const AddOptions& options = {}) {
        if (!spy) spy = makeCom<SpyControl>();
        return add(spy->unknown(), name, {10, 20, 110, 44}, options);
    }

    static std::wstring extentCall(LONG w, LONG h) {
        return L"SetExtent " + std::to_wstring(units::pixelsToHimetricX(w)) + L"x" +
               std::to_wstring(units::pixelsToHimetricY(h));
    }
};

TEST_F(SiteOrderTest, ActivationFollowsTheControlsWishes) {
    auto bag = MemoryPropertyBag::create();
    ComPtr<IStream> stream;
    {
        auto source = makeCom<SpyControl>();
        ASSERT_HRESULT_SUCCEEDED(saveToStream(source->unknown(), stream));
    }
    const std::wstring extent = extentCall(100, 24);
    struct Case {
        const char* what;
        DWORD misc;
        bool hasPropertyBag;
        AddOptions options;
        Calls expected;
    };
    AddOptions viaBag;
    viaBag.initNewThroughPropertyBag = true;
    AddOptions loadBag;
    loadBag.init = AddOptions::Init::PropertyBag;
    loadBag.bag = bag.Get();
    AddOptions loadStream;
    loadStream.init = AddOptions::Init::Stream;
    loadStream.stream = stream.Get();
    AddOptions inactive;
    inactive.activate = false;
    const Case cases[] = {
        {"site first",
         OLEMISC_SETCLIENTSITEFIRST,
         true,
         {},
         {L"GetMiscStatus", L"SetClientSite", L"InitNew(stream)", L"SetHostNames Ctl", L"Advise",
          extent, L"DoVerb -5"}},
        {"site after init",
         0,
         true,
         {},
         {L"GetMiscStatus", L"InitNew(stream)", L"SetClientSite", L"SetHostNames Ctl", L"Advise",
          extent, L"DoVerb -5"}},
        {"InitNew of the bag",
         OLEMISC_SETCLIENTSITEFIRST,
         true,
         viaBag,
         {L"GetMiscStatus", L"SetClientSite", L"InitNew(bag)", L"SetHostNames Ctl", L"Advise",
          extent, L"DoVerb -5"}},
        {"no bag to InitNew",
         OLEMISC_SETCLIENTSITEFIRST,
         false,
         viaBag,
         {L"GetMiscStatus", L"SetClientSite", L"InitNew(stream)", L"SetHostNames Ctl", L"Advise",
          extent, L"DoVerb -5"}},
        {"loaded from a bag",
         0,
         true,
         loadBag,
         {L"GetMiscStatus", L"Load(bag)", L"SetClientSite", L"SetHostNames Ctl", L"Advise", extent,
          L"DoVerb -5"}},
        {"loaded from a stream",
         OLEMISC_SETCLIENTSITEFIRST,
         true,
         loadStream,
         {L"GetMiscStatus", L"SetClientSite", L"Load(stream)", L"SetHostNames Ctl", L"Advise",
          extent, L"DoVerb -5"}},
        {"not activated",
         OLEMISC_SETCLIENTSITEFIRST,
         true,
         inactive,
         {L"GetMiscStatus", L"SetClientSite", L"InitNew(stream)", L"SetHostNames Ctl", L"Advise",
          extent}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        auto spy = makeCom<SpyControl>();
        spy->miscStatus = c.misc;
        spy->hasPropertyBag = c.hasPropertyBag;
        auto site = addSpy(spy, L"Ctl", c.options);
        ASSERT_TRUE(site);
        EXPECT_EQ(spy->calls, c.expected);
        EXPECT_EQ(site->inPlaceActive(), c.options.activate);
        ASSERT_HRESULT_SUCCEEDED(form().remove(*site.Get()));
    }
}

TEST_F(SiteOrderTest, RemovalDeactivatesClosesAndLetsGo) {
    ComPtr<SpyControl> plain, focused;
    auto first = addSpy(plain, L"First");
    auto second = addSpy(focused, L"Second");
    ASSERT_TRUE(first && second);
    ASSERT_HRESULT_SUCCEEDED(form().focus(*second.Get()));
    EXPECT_EQ(form().uiActiveSite(), second.Get());
    plain->calls.clear();
    focused->calls.clear();

    ASSERT_HRESULT_SUCCEEDED(form().remove(*first.Get()));
    ASSERT_HRESULT_SUCCEEDED(form().remove(*second.Get()));
    EXPECT_EQ(plain->calls,
              (Calls{L"Unadvise", L"InPlaceDeactivate", L"Close", L"SetClientSite(null)"}));
    EXPECT_EQ(focused->calls, (Calls{L"Unadvise", L"UIDeactivate", L"InPlaceDeactivate", L"Close",
                                     L"SetClientSite(null)"}));
    EXPECT_EQ(form().count(), 0u);
    EXPECT_EQ(form().uiActiveSite(), nullptr);
    EXPECT_EQ(form().remove(*first.Get()), S_FALSE); // already gone
}

TEST_F(SiteOrderTest, AFailedActivationLeavesNothingBehind) {
    auto spy = makeCom<SpyControl>();
    AddOptions broken;
    broken.init = AddOptions::Init::PropertyBag; // and no bag
    HRESULT hr = S_OK;
    auto site = form().add(spy->unknown(), L"Broken", {0, 0, 10, 10}, broken, &hr);
    EXPECT_FALSE(site);
    EXPECT_EQ(hr, E_INVALIDARG);
    EXPECT_EQ(spy->calls,
              (Calls{L"GetMiscStatus", L"SetClientSite", L"Close", L"SetClientSite(null)"}));
    EXPECT_EQ(form().count(), 0u);
    EXPECT_EQ(form().add(static_cast<IUnknown*>(nullptr), L"None", {}, {}, &hr), nullptr);
    EXPECT_EQ(hr, E_POINTER);
}

TEST_F(SiteOrderTest, AmbientPropertiesAsAControlReadsThem) {
    ComPtr<SpyControl> spy;
    ASSERT_TRUE(addSpy(spy, L"Check7"));
    struct Case {
        DISPID id;
        VARTYPE vt;
        LONG value; // as I4
    };
    const Case cases[] = {
        {DISPID_AMBIENT_USERMODE, VT_BOOL, -1},
        {DISPID_AMBIENT_BACKCOLOR, VT_I4, LONG(0x8000000F)},
        {DISPID_AMBIENT_FORECOLOR, VT_I4, LONG(0x80000012)},
        {DISPID_AMBIENT_MESSAGEREFLECT, VT_BOOL, 0},
        {DISPID_AMBIENT_SUPPORTSMNEMONICS, VT_BOOL, -1},
        {DISPID_AMBIENT_SHOWGRABHANDLES, VT_BOOL, 0},
        {DISPID_AMBIENT_SHOWHATCHING, VT_BOOL, 0},
        {DISPID_AMBIENT_UIDEAD, VT_BOOL, 0},
        {DISPID_AMBIENT_LOCALEID, VT_I4, LONG(::GetUserDefaultLCID())},
    };
    for (const Case& c : cases) {
        Variant v;
        ASSERT_HRESULT_SUCCEEDED(spy->ambient(c.id, v)) << c.id;
        EXPECT_EQ(v.vt, c.vt) << c.id;
        Variant number;
        ASSERT_HRESULT_SUCCEEDED(::VariantChangeType(&number, &v, 0, VT_I4));
        EXPECT_EQ(number.lVal, c.value) << c.id;
    }
    Variant name, font, unknown;
    ASSERT_HRESULT_SUCCEEDED(spy->ambient(DISPID_AMBIENT_DISPLAYNAME, name));
    EXPECT_STREQ(name.bstrVal, L"Check7");
    ASSERT_HRESULT_SUCCEEDED(spy->ambient(DISPID_AMBIENT_FONT, font));
    ASSERT_EQ(font.vt, VT_DISPATCH);
    ComPtr<IFont> f;
    ASSERT_HRESULT_SUCCEEDED(font.pdispVal->QueryInterface(IID_PPV_ARGS(&f)));
    EXPECT_EQ(spy->ambient(-799, unknown), DISP_E_MEMBERNOTFOUND);
    // By name, as a script would ask.
    ComPtr<IDispatch> ambients;
    ASSERT_HRESULT_SUCCEEDED(spy->site()->QueryInterface(IID_PPV_ARGS(&ambients)));
    DISPID id = 0;
    ASSERT_HRESULT_SUCCEEDED(dispId(ambients.Get(), L"usermode", id));
    EXPECT_EQ(id, DISPID_AMBIENT_USERMODE);
}

TEST_F(SiteOrderTest, AmbientChangesReachTheControls) {
    ComPtr<SpyControl> a, b;
    auto first = addSpy(a, L"First");
    ASSERT_TRUE(first && addSpy(b, L"Second"));
    a->calls.clear();
    b->calls.clear();

    form().setUserMode(false);
    first->setDisplayName(L"Renamed");
    form().setAmbient(DISPID_AMBIENT_BACKCOLOR, Variant::fromI4(0xFF));
    form().removeAmbient(DISPID_AMBIENT_FONT);
    EXPECT_EQ(a->calls, (Calls{L"OnAmbientPropertyChange -709", L"OnAmbientPropertyChange -702",
                               L"OnAmbientPropertyChange -701", L"OnAmbientPropertyChange -703"}));
    EXPECT_EQ(b->calls, (Calls{L"OnAmbientPropertyChange -709", L"OnAmbientPropertyChange -701",
                               L"OnAmbientPropertyChange -703"}));
    Variant v;
    ASSERT_HRESULT_SUCCEEDED(a->ambient(DISPID_AMBIENT_USERMODE, v));
    EXPECT_EQ(v.boolVal, VARIANT_FALSE);
    ASSERT_HRESULT_SUCCEEDED(a->ambient(DISPID_AMBIENT_SHOWGRABHANDLES, v));
    EXPECT_EQ(v.boolVal, VARIANT_TRUE);
    ASSERT_HRESULT_SUCCEEDED(a->ambient(DISPID_AMBIENT_DISPLAYNAME, v));
    EXPECT_STREQ(v.bstrVal, L"Renamed");
    ASSERT_HRESULT_SUCCEEDED(b->ambient(DISPID_AMBIENT_BACKCOLOR, v));
    EXPECT_EQ(v.lVal, 0xFF);
    EXPECT_EQ(b->ambient(DISPID_AMBIENT_FONT, v), DISP_E_MEMBERNOTFOUND);

    // A host with no ambient properties at all.
    form().behaviour().ambientDispatch = false;
    EXPECT_EQ(a->ambient(DISPID_AMBIENT_USERMODE, v), E_NOINTERFACE);
}

TEST_F(SiteOrderTest, TheControlsSizeOperationIsConfirmed) {
    ComPtr<SpyControl> spy;
    auto site = addSpy(spy, L"Check1");
    ASSERT_TRUE(site);
    spy->calls.clear();
    ASSERT_HRESULT_SUCCEEDED(spy->requestPosRect({10, 20, 210, 60}));
    EXPECT_EQ(spy->calls, Calls{L"SetObjectRects 10,20,210,60"});
    EXPECT_EQ(site->rect().right, 210);
    EXPECT_EQ(site->counters().posRectChanges, 1);
    Variant width;
    ASSERT_HRESULT_SUCCEEDED(site->get(L"Width", width));
    EXPECT_FLOAT_EQ(width.fltVal, float(units::pixelsToTwipsX(200)));

    // A control that changed its extent asks for a new layout.
    SIZEL extent{units::pixelsToHimetricX(50), units::pixelsToHimetricY(30)};
    ASSERT_HRESULT_SUCCEEDED(spy->SetExtent(DVASPECT_CONTENT, &extent));
    spy->calls.clear();
    ASSERT_HRESULT_SUCCEEDED(site->RequestNewObjectLayout());
    EXPECT_EQ(spy->calls, Calls{L"SetObjectRects 10,20,60,50"});
}

TEST_F(SiteOrderTest, ControlSiteServices) {
    ComPtr<SpyControl> spy;
    auto site = addSpy(spy, L"Check1");
    ASSERT_TRUE(site);
    ComPtr<IOleControlSite> controlSite;
    ASSERT_HRESULT_SUCCEEDED(spy->site()->QueryInterface(IID_PPV_ARGS(&controlSite)));

    POINTL himetric{2540, 1270};
    POINTF container{};
    ASSERT_HRESULT_SUCCEEDED(controlSite->TransformCoords(
        &himetric, &container, XFORMCOORDS_SIZE | XFORMCOORDS_HIMETRICTOCONTAINER));
    EXPECT_FLOAT_EQ(container.x, 1440.0f); // twips
    EXPECT_FLOAT_EQ(container.y, 720.0f);
    container = {720.0f, 15.0f};
    ASSERT_HRESULT_SUCCEEDED(controlSite->TransformCoords(
        &himetric, &container, XFORMCOORDS_POSITION | XFORMCOORDS_CONTAINERTOHIMETRIC));
    EXPECT_EQ(himetric.x, 1270);
    EXPECT_EQ(himetric.y, 26);

    ComPtr<IDispatch> extender;
    ASSERT_HRESULT_SUCCEEDED(controlSite->GetExtendedControl(&extender));
    EXPECT_EQ(extender.Get(), site->extender());
    form().behaviour().extender = false;
    ComPtr<IDispatch> none;
    EXPECT_EQ(controlSite->GetExtendedControl(&none), E_NOTIMPL);
    EXPECT_FALSE(none);
}

TEST_F(SiteOrderTest, PropertyChangesAreRecordedByName) {
    ComPtr<SpyControl> spy;
    auto site = addSpy(spy, L"Check1");
    ASSERT_TRUE(site);
    ASSERT_HRESULT_SUCCEEDED(site->put(L"Caption", Variant::fromString(L"one")));
    ASSERT_HRESULT_SUCCEEDED(site->put(L"GroupID", Variant::fromI2(2)));
    ASSERT_HRESULT_SUCCEEDED(site->put(L"Value", Variant::fromBool(true)));
    EXPECT_EQ(site->notifications().names(),
              (std::vector<std::wstring>{L"Caption", L"GroupID", L"Value"}));
    EXPECT_EQ(site->notifications().ids(), (std::vector<DISPID>{DISPID_CAPTION, 1, 0}));
    EXPECT_EQ(site->notifications().requestEdits(), (std::vector<DISPID>{DISPID_CAPTION, 1, 0}));

    site->notifications().clear();
    site->notifications().answerRequestEdit(S_FALSE);
    EXPECT_EQ(site->put(L"Caption", Variant::fromString(L"refused")), E_ACCESSDENIED);
    EXPECT_EQ(spy->caption, L"one");
    EXPECT_TRUE(site->notifications().changes().empty());
    EXPECT_EQ(site->notifications().requestEdits().size(), 1u);
}

} // namespace
} // namespace pkw::test
