// NuCheckBox40's properties as a host sees them: fresh settings, design
// time against run time, Value and Click, property-change notifications
// and the font. (The effect-set arrays are with the hostile input.)
#include "tests/checkbox/checkbox_fixture.h"
#include "host/font_text.h"

#include <olectl.h>

namespace pkw::test {
namespace {

constexpr wchar_t kWide[] = L"\u041F\u0440\u0438\u0432\u0435\u0442 \u4E2D";
constexpr wchar_t kLatin1[] = L"Caf\u00E9";

TEST_F(CheckBoxTest, AFreshControlIsNamedAfterItsSite) {
    form().setUserMode(false);
    auto b = placeBox(L"Check7");
    ASSERT_TRUE(b);
    EXPECT_EQ(getText(b, L"Caption"), L"Check7");
    EXPECT_EQ(getText(b, L"NuToolTipText"), L"");
}

// The size a new control asks for, before any container imposes its own:
// 1450 twips wide, and its drawing area follows (Resize ran last).
TEST_F(CheckBoxTest, AFreshControlAsksForItsOwnSize) {
    ComPtr<IUnknown> control;
    ASSERT_HRESULT_SUCCEEDED(
        createFromDll(besideProgram(kLibraryFile), CLSID_NuCheckBox40, control));
    ComPtr<IPersistStreamInit> init;
    ComPtr<_NuCheckBox40> box;
    ComPtr<IOleObject> ole;
    ASSERT_HRESULT_SUCCEEDED(control.As(&init));
    ASSERT_HRESULT_SUCCEEDED(control.As(&box));
    ASSERT_HRESULT_SUCCEEDED(control.As(&ole));
    ASSERT_HRESULT_SUCCEEDED(init->InitNew());
    SIZEL extent{};
    ASSERT_HRESULT_SUCCEEDED(ole->GetExtent(DVASPECT_CONTENT, &extent));
    EXPECT_NEAR(extent.cx * 1440.0 / 2540.0, 1450, 1);
    LONG width = 0, height = 0;
    ASSERT_HRESULT_SUCCEEDED(box->get_ControlWidth(&width));
    ASSERT_HRESULT_SUCCEEDED(box->get_ControlHeight(&height));
    EXPECT_EQ(width, 1450 * units::dpiX() / 1440);
    EXPECT_NEAR(height, extent.cy * units::dpiY() / 2540.0, 1);
    EXPECT_GE(height * 1440 / units::dpiY(), 210) << "the minimum height";
}

// The tool tip exists at run time only. With every effect set dropped, the
// only object of zelGlobals40.dll a control can still hold is its tool tip.
TEST_F(CheckBoxTest, OnlyARunTimeControlHoldsAToolTip) {
    struct Case {
        bool userMode;
        HRESULT globalsIdle; // zelGlobals40's DllCanUnloadNow
    };
    for (const Case c : {Case{false, S_OK}, Case{true, S_FALSE}}) {
        SCOPED_TRACE(c.userMode ? "run time" : "design time");
        form().setUserMode(c.userMode);
        auto b = placeBox(c.userMode ? L"RunBox" : L"DesignBox");
        ASSERT_TRUE(b);
        Variant empty;
        empty.vt = VT_ARRAY | VT_DISPATCH;
        empty.parray = ::SafeArrayCreateVector(VT_DISPATCH, 0, 0);
        ASSERT_HRESULT_SUCCEEDED(b.box->put_EffectsProps(empty));
        ASSERT_HRESULT_SUCCEEDED(b.box->put_TipEffectsProps(empty));
        EXPECT_EQ(CanUnloadLoadedDll(L"zelGlobals40.dll"), c.globalsIdle);
        ASSERT_HRESULT_SUCCEEDED(form().remove(*b.site.Get()));
        b = {};
        pumpPending();
        EXPECT_EQ(CanUnloadLoadedDll(L"zelGlobals40.dll"), S_OK);
    }
}

TEST_F(CheckBoxTest, WideTextsReadAsUnicodeTextAtDesignTimeOnly) {
    struct Case {
        bool userMode;
        const wchar_t* property;   // the plain view
        const wchar_t* uniView;    // the Unicode twin
        const wchar_t* stored;     // set through the twin
        const wchar_t* plainReads; // what the plain view shows
        bool plainWriteTakes;      // whether assigning the plain view changes the text
    };
    const Case cases[] = {
        {false, L"Caption", L"UniCaption", kWide, L"(Unicode Text)", false},
        {false, L"Caption", L"UniCaption", kLatin1, kLatin1, true},
        {true, L"Caption", L"UniCaption", kWide, kWide, true},
        {false, L"NuToolTipText", L"UniToolTipText", kWide, L"(Unicode Text)", false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(narrow(c.property) + (c.userMode ? " run time " : " design time ") +
                     narrow(c.stored));
        form().setUserMode(c.userMode);
        auto b = placeBox();
        ASSERT_TRUE(b);
        put(b, c.uniView, Str(c.stored));
        EXPECT_EQ(getText(b, c.property), c.plainReads);
        EXPECT_EQ(getText(b, c.uniView), c.stored);
        put(b, c.property, Str(L"plain"));
        EXPECT_EQ(getText(b, c.uniView), c.plainWriteTakes ? L"plain" : c.stored);
        form().remove(*b.site.Get());
    }
}

TEST_F(CheckBoxTest, AssigningValueRaisesClickOnlyWhenValueSetClickSaysSo) {
    struct Case {
        bool valueSetClick;
        SHORT before;
        LONG assigned;
        int clicks;
        bool lateBound;
    };
    const Case cases[] = {
        {false, 0, 1, 0, false}, {true, 0, 0, 0, false},  {true, 1, 1, 1, false},
        {true, 1, 0, 1, true},   {true, 2, -1, 0, false}, {true, 0, -1, 1, false},
        {true, 0, 7, 1, true},
    };
    auto b = placeBox();
    ASSERT_TRUE(b);
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message()
                     << "ValueSetClick " << c.valueSetClick << ", " << c.before << " then "
                     << c.assigned << (c.lateBound ? " by name" : ""));
        ASSERT_HRESULT_SUCCEEDED(b.box->put_ValueSetClick(VARIANT_FALSE));
        ASSERT_HRESULT_SUCCEEDED(b.box->put_Value(static_cast<NuCheckBoxValueConstants>(c.before)));
        ASSERT_HRESULT_SUCCEEDED(
            b.box->put_ValueSetClick(c.valueSetClick ? VARIANT_TRUE : VARIANT_FALSE));
        b.site->events().clear();
        b.site->notifications().clear();
        if (c.lateBound) {
            put(b, L"Value", I4(c.assigned));
        } else {
            ASSERT_HRESULT_SUCCEEDED(
                b.box->put_Value(static_cast<NuCheckBoxValueConstants>(c.assigned)));
        }
        EXPECT_EQ(b.site->events().count(L"Click"), static_cast<std::size_t>(c.clicks));
        EXPECT_EQ(b.site->notifications().names(), std::vector<std::wstring>{L"Value"});
        NuCheckBoxValueConstants now{};
        ASSERT_HRESULT_SUCCEEDED(b.box->get_Value(&now));
        EXPECT_EQ(static_cast<LONG>(now), c.assigned);
    }
}

TEST_F(CheckBoxTest, ChangesAreNotifiedUnderThePersistedName) {
    auto b = placeBox();
    ASSERT_TRUE(b);
    Variant sets = get(b, L"EffectsProps");
    Variant tipSets = get(b, L"TipEffectsProps");
    struct Case {
        const wchar_t* property;
        Variant value;
        const wchar_t* notified;
    };
    const Case cases[] = {
        {L"UniToolTipText", Str(L"tip"), L"NuToolTipText"},
        {L"NuToolTipText", Str(L"tip"), L"NuToolTipText"},
        {L"UniCaption", Str(L"x"), L"Caption"},
        {L"EffectsProps", sets, L"Enabled"},
        {L"TipEffectsProps", tipSets, L"Enabled"},
        {L"DisabledForeColor", I4(0xFF), L"DisabledForeColor"},
        {L"TipAnimateSteps", I4(9), L"TipAnimateSteps"},
        {L"YOffset", I4(3), L"YOffset"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(narrow(c.property));
        b.site->notifications().clear();
        put(b, c.property, c.value);
        EXPECT_EQ(b.site->notifications().names(), std::vector<std::wstring>{c.notified});
    }
    // The by-reference setters keep the value they were given.
    short steps = 11;
    float seconds = 0.25f;
    ASSERT_HRESULT_SUCCEEDED(b.box->put_TipAnimateSteps(&steps));
    ASSERT_HRESULT_SUCCEEDED(b.box->put_TipPreTimer(&seconds));
    EXPECT_EQ(getNumber(b, L"TipAnimateSteps"), 11);
    EXPECT_EQ(getNumber(b, L"TipPreTimer"), 0.25);
}

TEST_F(CheckBoxTest, SettingTheFontCopiesItIntoTheControlAndItsStateSets) {
    auto b = placeBox();
    ASSERT_TRUE(b);
    Variant ownBefore = get(b, L"Font");
    ASSERT_EQ(ownBefore.vt, VT_DISPATCH);

    // Whole-pixel size and no italic: the font object reports the face and
    // size it realizes, and this Wine has Tahoma bold but no italic.
    const ComPtr<IFontDisp> given = makeFont(L"Tahoma", 120000, true, false, true);
    std::wstring look;
    ASSERT_HRESULT_SUCCEEDED(describeFont(given.Get(), look));
    for (bool byReference : {false, true}) {
        SCOPED_TRACE(byReference ? "put by reference" : "put");
        b.site->notifications().clear();
        if (byReference) {
            ASSERT_HRESULT_SUCCEEDED(b.box->putref_Font(given.Get()));
        } else {
            ASSERT_HRESULT_SUCCEEDED(
                putProperty(b.late(), L"Font", Variant::fromDispatch(given.Get())));
        }
        EXPECT_EQ(b.site->notifications().names(), std::vector<std::wstring>{L"Font"});
        // The control keeps its own font object and copies the face into it,
        // and into the fonts of its state sets.
        Variant own = get(b, L"Font");
        EXPECT_EQ(own.pdispVal, ownBefore.pdispVal);
        EXPECT_NE(own.pdispVal, static_cast<IDispatch*>(given.Get()));
        std::vector<ComPtr<IDispatch>> fonts{own.pdispVal};
        Variant sets = get(b, L"EffectsProps");
        for (LONG i = 0; i < 4; ++i) {
            ComPtr<IDispatch> set;
            ::SafeArrayGetElement(sets.parray, &i, set.GetAddressOf());
            Variant setFont;
            ASSERT_HRESULT_SUCCEEDED(getProperty(set.Get(), L"Font", setFont));
            fonts.emplace_back(setFont.pdispVal);
        }
        for (const auto& f : fonts) {
            std::wstring seen;
            EXPECT_HRESULT_SUCCEEDED(describeFont(f.Get(), seen));
            EXPECT_EQ(seen, look);
        }
    }
    EXPECT_EQ(b.box->put_Font(nullptr), E_POINTER);
}

} // namespace
} // namespace pkw::test
