// Ambient properties and the extender, with the defaults that hosts
// without them rely on.
#include "probe_test.h"

namespace pkw::test {
namespace {

using AmbientTest = ProbeTest;

Variant byRefBool(VARIANT_BOOL* target) {
    Variant v;
    v.vt = VT_BOOL | VT_BYREF;
    v.pboolVal = target;
    return v;
}

TEST_F(AmbientTest, EachAmbientIsTakenWhenWellTypedAndDefaultedOtherwise) {
    ComPtr<IFontDisp> tahoma = makeFont(L"Tahoma", 120000);
    const FontLook given = lookOf(tahoma.Get());
    const FontLook fallback = defaultFontLook();
    ASSERT_NE(given, fallback);
    VARIANT_BOOL falseValue = VARIANT_FALSE;
    const DISPID kAll[] = {DISPID_AMBIENT_USERMODE, DISPID_AMBIENT_DISPLAYNAME,
                           DISPID_AMBIENT_FONT};
    enum Host { NoDispatch, KnowsNone, Answers };
    struct Case {
        const char* what;
        Host host;
        std::vector<std::pair<DISPID, Variant>> answers;
        bool userMode;
        std::wstring displayName;
        FontLook font;
    };
    const Case cases[] = {
        {"host without ambients or extender", NoDispatch, {}, true, L"Probe", fallback},
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
          {DISPID_AMBIENT_DISPLAYNAME, Variant::fromString(L"Named")},
          {DISPID_AMBIENT_FONT, Variant::fromUnknown(tahoma.Get())}},
         false,
         L"Named",
         given},
        {"user mode as a zero integer",
         KnowsNone,
         {{DISPID_AMBIENT_USERMODE, Variant::fromI4(0)}},
         false,
         L"Probe",
         fallback},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Form host;
        host.behaviour().ambientDispatch = c.host != NoDispatch;
        host.behaviour().extender = c.host != NoDispatch;
        if (c.host == KnowsNone)
            for (DISPID id : kAll)
                host.removeAmbient(id);
        for (const auto& [id, value] : c.answers)
            host.setAmbient(id, value);
        Probe* raw = nullptr;
        auto site = addProbe(L"Site1", {10, 10, 110, 34}, &raw, {}, &host);
        ASSERT_TRUE(site);
        // The site is set before InitNew: InitProperties already sees them.
        EXPECT_EQ(raw->initSnapshot().userMode, c.userMode);
        EXPECT_EQ(raw->initSnapshot().displayName, c.displayName);
        EXPECT_EQ(raw->ambientUserMode(), c.userMode);
        EXPECT_EQ(raw->ambientDisplayName(), c.displayName);
        ComPtr<IFontDisp> font = raw->ambientFont();
        EXPECT_EQ(lookOf(font.Get()), c.font);
        // Always a font of the control's own, which it may change.
        EXPECT_NE(font.Get(), tahoma.Get());
        ComPtr<IFont> mine;
        ASSERT_EQ(font.As(&mine), S_OK);
        mine->put_Bold(TRUE);
        EXPECT_FALSE(lookOf(tahoma.Get()).bold);
        EXPECT_EQ(raw->extender().Get(), c.host == NoDispatch ? nullptr : site->extender());
    }
    MadeProbe unsited = makeProbe();
    EXPECT_FALSE(unsited.raw->extender());
}

TEST_F(AmbientTest, AmbientChangesReachTheControl) {
    auto site = addProbe(L"Probe1", {10, 10, 110, 34});
    ASSERT_TRUE(site);
    form().setUserMode(false);
    site->setDisplayName(L"Other");
    ASSERT_EQ(as<IOleControl>(site->control())->OnAmbientPropertyChange(DISPID_UNKNOWN), S_OK);
    EXPECT_EQ(logOf({L"AmbientChanged"}),
              (std::vector<std::wstring>{L"AmbientChanged -709", L"AmbientChanged -702",
                                         L"AmbientChanged -1"}));
}

} // namespace
} // namespace pkw::test
