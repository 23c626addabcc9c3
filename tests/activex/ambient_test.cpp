// Ambient properties and the extender, with the defaults that hosts
// without them rely on.
#include "ole_test.h"

#include "common/com/bstr.h"

namespace pkw::test {
namespace {

using AmbientTest = OleTest;

Variant byRefBool(VARIANT_BOOL* target) {
    Variant v;
    v.vt = VT_BOOL | VT_BYREF;
    v.pboolVal = target;
    return v;
}

TEST_F(AmbientTest, EachAmbientIsTakenWhenWellTypedAndDefaultedOtherwise) {
    Form form;
    ComPtr<IFontDisp> tahoma = makeFont(L"Tahoma", 120000);
    const FontLook given = lookOf(tahoma.Get());
    const FontLook fallback = defaultFontLook();
    ASSERT_NE(given, fallback);
    VARIANT_BOOL falseValue = VARIANT_FALSE;
    enum Site { NoDispatch, Answers };
    struct Case {
        const char* what;
        Site site;
        std::map<DISPID, Variant> answers;
        bool userMode;
        std::wstring displayName;
        FontLook font;
    };
    const Case cases[] = {
        {"site without ambient dispatch", NoDispatch, {}, true, L"Probe", fallback},
        {"dispatch that knows none of them", Answers, {}, true, L"Probe", fallback},
        {"well-typed answers",
         Answers,
         {{DISPID_AMBIENT_USERMODE, Variant::fromBool(false)},
          {DISPID_AMBIENT_DISPLAYNAME, Variant::fromString(L"Check1")},
          {DISPID_AMBIENT_FONT, Variant::fromDispatch(tahoma.Get())}},
         false,
         L"Check1",
         given},
        {"ill-typed answers",
         Answers,
         {{DISPID_AMBIENT_USERMODE, Variant::fromString(L"abc")},
          {DISPID_AMBIENT_DISPLAYNAME, Variant::fromI4(5)},
          {DISPID_AMBIENT_FONT, Variant::fromI4(5)}},
         true,
         L"Probe",
         fallback},
        {"numbers and references",
         Answers,
         {{DISPID_AMBIENT_USERMODE, byRefBool(&falseValue)},
          {DISPID_AMBIENT_FONT, Variant::fromUnknown(tahoma.Get())}},
         false,
         L"Probe",
         given},
        {"user mode as a zero integer",
         Answers,
         {{DISPID_AMBIENT_USERMODE, Variant::fromI4(0)}},
         false,
         L"Probe",
         fallback},
    };
    for (const Case& c : cases) {
        Made m = makeProbe();
        ComPtr<TestSite> site = TestSite::create(form.hwnd());
        site->hasAmbients = c.site == Answers;
        site->ambients = c.answers;
        ComPtr<IOleObject> ole = as<IOleObject>(m.probe.Get());
        ASSERT_EQ(ole->SetClientSite(site.Get()), S_OK);
        EXPECT_EQ(m.raw->ambientUserMode(), c.userMode) << c.what;
        EXPECT_EQ(m.raw->ambientDisplayName(), c.displayName) << c.what;
        ComPtr<IFontDisp> font = m.raw->ambientFont();
        EXPECT_EQ(lookOf(font.Get()), c.font) << c.what;
        // Always a font of the control's own, never the form's.
        EXPECT_NE(font.Get(), tahoma.Get()) << c.what;
        ole->SetClientSite(nullptr);
    }
}

TEST_F(AmbientTest, TheAmbientFontIsACloneTheControlMayChange) {
    Form form;
    ComPtr<IFontDisp> tahoma = makeFont(L"Tahoma", 120000);
    Made m = makeProbe();
    ComPtr<TestSite> site = TestSite::create(form.hwnd());
    site->ambients[DISPID_AMBIENT_FONT] = Variant::fromDispatch(tahoma.Get());
    ComPtr<IOleObject> ole = as<IOleObject>(m.probe.Get());
    ASSERT_EQ(ole->SetClientSite(site.Get()), S_OK);
    ComPtr<IFont> mine;
    ASSERT_EQ(m.raw->ambientFont().As(&mine), S_OK);
    mine->put_Bold(TRUE);
    EXPECT_FALSE(lookOf(tahoma.Get()).bold);
    ole->SetClientSite(nullptr);
}

TEST_F(AmbientTest, AmbientChangesReachTheControl) {
    Made m = makeProbe();
    ComPtr<IOleControl> control = as<IOleControl>(m.probe.Get());
    ASSERT_EQ(control->OnAmbientPropertyChange(DISPID_AMBIENT_USERMODE), S_OK);
    ASSERT_EQ(control->OnAmbientPropertyChange(DISPID_UNKNOWN), S_OK);
    EXPECT_EQ(logStarting(L"AmbientChanged"),
              (std::vector<std::wstring>{L"AmbientChanged -709", L"AmbientChanged -1"}));
}

TEST_F(AmbientTest, TheExtenderComesFromTheControlSite) {
    Form form;
    Made m = makeProbe();
    EXPECT_FALSE(m.raw->extender()); // no site yet
    ComPtr<TestSite> site = TestSite::create(form.hwnd());
    ComPtr<IOleObject> ole = as<IOleObject>(m.probe.Get());
    ASSERT_EQ(ole->SetClientSite(site.Get()), S_OK);
    EXPECT_FALSE(m.raw->extender());                            // the site has none
    ComPtr<EventSink> stand = EventSink::create(IID_IDispatch); // any IDispatch will do
    site->extenderObject = stand;
    EXPECT_EQ(m.raw->extender().Get(), static_cast<IDispatch*>(stand.Get()));
    ole->SetClientSite(nullptr);
    EXPECT_FALSE(m.raw->extender());
}

} // namespace
} // namespace pkw::test
