// NuCheckBox40's properties as a host sees them: fresh settings, design
// time against run time, Value and Click, property-change notifications,
// the effect-set arrays and the font.
#include "tests/checkbox/checkbox_fixture.h"

#include <olectl.h>

namespace pkw::test {
namespace {

constexpr wchar_t kWide[] = L"\u041F\u0440\u0438\u0432\u0435\u0442 \u4E2D";
constexpr wchar_t kLatin1[] = L"Caf\u00E9";

TEST_F(CheckBoxTest, AFreshControlTakesTheDocumentedSettings) {
    form().setUserMode(false);
    auto b = placeBox(L"Check7");
    ASSERT_TRUE(b);

    struct Expected {
        const wchar_t* name;
        double value;
    };
    const Expected numbers[] = {
        {L"Value", 0},           {L"BackColor", static_cast<double>(0x8000000Fu)},
        {L"ForeColor", 0},       {L"DisabledForeColor", static_cast<double>(0x80000011u)},
        {L"Alignment", 0},       {L"BackStyle", 1},
        {L"Enabled", -1},        {L"DrawFocusRectangle", -1},
        {L"ValueSetClick", 0},   {L"VisualEffectStyle", 0},
        {L"TipPreTimer", 2},     {L"TipPostTimer", 6},
        {L"TipShowMethod", 0},   {L"TipHideMethod", 0},
        {L"TipAnimateSteps", 5}, {L"XOffset", 0},
        {L"YOffset", 0},
    };
    for (const auto& e : numbers) {
        SCOPED_TRACE(narrow(e.name));
        double value = getNumber(b, e.name);
        if (e.value > 0x7FFFFFFF && value < 0) value += 4294967296.0; // colours read as LONG
        EXPECT_EQ(value, e.value);
    }
    EXPECT_EQ(getText(b, L"Caption"), L"Check7");
    EXPECT_EQ(getText(b, L"NuToolTipText"), L"");

    // The drawing area is the container's rectangle, in pixels.
    RECT client{};
    ::GetClientRect(b.window(), &client);
    EXPECT_EQ(getLong(b, L"ControlWidth"), client.right);
    EXPECT_EQ(getLong(b, L"ControlHeight"), client.bottom);
}

// The size a new control asks for, before any container imposes its own:
// 1450 twips wide, one line of "Wg" in its font plus 6 pixels high.
TEST_F(CheckBoxTest, AFreshControlAsksForItsOwnSize) {
    ComPtr<IUnknown> control;
    ASSERT_HRESULT_SUCCEEDED(
        createFromDll(besideProgram(kLibraryFile), CLSID_NuCheckBox40, control));
    ComPtr<IPersistStreamInit> init;
    ASSERT_HRESULT_SUCCEEDED(control.As(&init));
    ASSERT_HRESULT_SUCCEEDED(init->InitNew());
    ComPtr<_NuCheckBox40> box;
    ASSERT_HRESULT_SUCCEEDED(control.As(&box));

    ComPtr<IFontDisp> fontDisp;
    ASSERT_HRESULT_SUCCEEDED(box->get_Font(&fontDisp));
    ComPtr<IFont> font;
    ASSERT_HRESULT_SUCCEEDED(fontDisp.As(&font));
    HFONT hfont = nullptr;
    ASSERT_HRESULT_SUCCEEDED(font->get_hFont(&hfont));
    HDC screen = ::GetDC(nullptr);
    const HGDIOBJ old = ::SelectObject(screen, hfont);
    SIZE text{};
    ::GetTextExtentPoint32W(screen, L"Wg", 2, &text);
    ::SelectObject(screen, old);
    ::ReleaseDC(nullptr, screen);
    const int tppX = 1440 / units::dpiX(), tppY = 1440 / units::dpiY();
    const LONG heightTwips = std::max<LONG>(210, (text.cy + 6) * tppY);

    ComPtr<IOleObject> ole;
    ASSERT_HRESULT_SUCCEEDED(control.As(&ole));
    SIZEL extent{};
    ASSERT_HRESULT_SUCCEEDED(ole->GetExtent(DVASPECT_CONTENT, &extent));
    EXPECT_NEAR(extent.cx * 1440.0 / 2540.0, 1450, 1);
    EXPECT_NEAR(extent.cy * 1440.0 / 2540.0, heightTwips, 1);
    // The drawing area follows (Resize ran last).
    LONG width = 0, height = 0;
    ASSERT_HRESULT_SUCCEEDED(box->get_ControlWidth(&width));
    ASSERT_HRESULT_SUCCEEDED(box->get_ControlHeight(&height));
    EXPECT_EQ(width, 1450 / tppX);
    EXPECT_EQ(height, heightTwips / tppY);
}

TEST_F(CheckBoxTest, EffectSetsStartWithTheirCreationDefaults) {
    // A form font unlike the sets' own new font (MS Sans Serif 8).
    FONTDESC desc{sizeof(FONTDESC),
                  const_cast<LPOLESTR>(L"Tahoma"),
                  {},
                  FW_NORMAL,
                  ANSI_CHARSET,
                  FALSE,
                  FALSE,
                  FALSE};
    desc.cySize.int64 = 120000;
    ComPtr<IFontDisp> formFont;
    ASSERT_HRESULT_SUCCEEDED(::OleCreateFontIndirect(
        &desc, IID_IFontDisp, reinterpret_cast<void**>(formFont.GetAddressOf())));
    form().setAmbientFont(formFont.Get());
    auto b = placeBox();
    // zelUni40.dll is loaded by now, beside the library.
    using CharSetProc = LONG(WINAPI*)();
    const auto charSet = reinterpret_cast<CharSetProc>(reinterpret_cast<void*>(
        ::GetProcAddress(::GetModuleHandleW(L"zelUni40.dll"), "uniGetDefaultCharSet")));
    ASSERT_TRUE(b);
    struct Setting {
        const wchar_t* name;
        double state; // each of the four state sets
        double tip;   // the tool tip's set
    };
    const Setting settings[] = {
        {L"Alpha", 255, 255},
        {L"BackStyle", 5, 0},
        {L"BorderColor", 0xB99D7F, 0xB99D7F},
        {L"CaptionHAlignment", 1, 0},
        {L"DropShadowXDistance", 3, 3},
        {L"ImageAlpha", 255, 255},
        {L"ApplyImageShadow", -1, -1},
        {L"ImageShadowExcludeXCalc", 0, -1},
        {L"TextGlowColor", 0x0000FF, 0x0000FF},
        {L"TextShadowDistanceY", 3, 3},
        {L"Radius", 0, 12},
        {L"WordWrap", 0, -1},
        {L"FlexLimit", 0, 240},
        {L"HeaderImageShadowExcludeXCalc", 0, -1},
        {L"HeaderGlowColor", 0, 0x0000FF},
    };
    Variant states = get(b, L"EffectsProps"), tips = get(b, L"TipEffectsProps");
    ASSERT_EQ(states.vt, VT_ARRAY | VT_DISPATCH);
    ASSERT_EQ(tips.vt, VT_ARRAY | VT_DISPATCH);
    LONG lo = -1, hi = -1;
    ::SafeArrayGetLBound(states.parray, 1, &lo);
    ::SafeArrayGetUBound(states.parray, 1, &hi);
    EXPECT_EQ(lo, 0);
    EXPECT_EQ(hi, 3);
    ::SafeArrayGetUBound(tips.parray, 1, &hi);
    EXPECT_EQ(hi, 0);

    auto element = [](const Variant& array, LONG i) {
        ComPtr<IDispatch> set;
        ::SafeArrayGetElement(array.parray, &i, set.GetAddressOf());
        return set;
    };
    std::vector<std::pair<ComPtr<IDispatch>, bool>> sets; // set, is the tip's
    for (LONG i = 0; i < 4; ++i)
        sets.emplace_back(element(states, i), false);
    sets.emplace_back(element(tips, 0), true);
    for (const auto& [set, isTip] : sets) {
        ASSERT_TRUE(set);
        for (const Setting& s : settings) {
            SCOPED_TRACE(narrow(s.name) + (isTip ? " (tip)" : " (state)"));
            Variant value;
            ASSERT_HRESULT_SUCCEEDED(getProperty(set.Get(), s.name, value));
            EXPECT_EQ(NumberOf(value), isTip ? s.tip : s.state);
        }
        // Two standard stops in the body gradient.
        Variant grad;
        ASSERT_HRESULT_SUCCEEDED(getProperty(set.Get(), L"BodyGradInfo", grad));
        ASSERT_EQ(grad.vt, VT_DISPATCH);
        Variant count;
        ASSERT_HRESULT_SUCCEEDED(getProperty(grad.pdispVal, L"Count", count));
        EXPECT_EQ(NumberOf(count), 2);
        const Variant stop1[] = {I4(1)};
        Variant color, percent;
        ASSERT_HRESULT_SUCCEEDED(getProperty(grad.pdispVal, L"GradColor", stop1, color));
        ASSERT_HRESULT_SUCCEEDED(getProperty(grad.pdispVal, L"GradPercent", stop1, percent));
        EXPECT_EQ(NumberOf(color), 0x0000FF);
        EXPECT_EQ(NumberOf(percent), 100);
        // The ambient font, in the user's character set.
        Variant font;
        ASSERT_HRESULT_SUCCEEDED(getProperty(set.Get(), L"Font", font));
        ASSERT_EQ(font.vt, VT_DISPATCH);
        ASSERT_TRUE(font.pdispVal);
        Variant name, size, charset;
        ASSERT_HRESULT_SUCCEEDED(getProperty(font.pdispVal, L"Name", name));
        ASSERT_HRESULT_SUCCEEDED(getProperty(font.pdispVal, L"Size", size));
        ASSERT_HRESULT_SUCCEEDED(getProperty(font.pdispVal, L"Charset", charset));
        EXPECT_EQ(TextOf(name), L"Tahoma");
        EXPECT_EQ(NumberOf(size), 12);
        ASSERT_TRUE(charSet);
        EXPECT_EQ(NumberOf(charset), charSet());
    }
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
        {false, L"NuToolTipText", L"UniToolTipText", kLatin1, kLatin1, true},
        {true, L"NuToolTipText", L"UniToolTipText", kWide, kWide, true},
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
        {false, 0, 1, 0, false}, {false, 1, 0, 0, true},  {true, 0, 0, 0, false},
        {true, 0, 1, 1, true},   {true, 1, 1, 1, false},  {true, 1, 0, 1, true},
        {true, 2, 2, 1, false},  {true, 1, 2, 1, true},   {true, 2, -1, 0, false},
        {true, 1, -1, 0, true},  {true, 0, -1, 1, false}, {true, 0, 7, 1, true},
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
        {L"Caption", Str(L"y"), L"Caption"},
        {L"EffectsProps", sets, L"Enabled"},
        {L"TipEffectsProps", tipSets, L"Enabled"},
        {L"Enabled", Bool(true), L"Enabled"},
        {L"BackColor", I4(0xFF), L"BackColor"},
        {L"ForeColor", I4(0xFF), L"ForeColor"},
        {L"DisabledForeColor", I4(0xFF), L"DisabledForeColor"},
        {L"Alignment", I4(1), L"Alignment"},
        {L"BackStyle", I4(1), L"BackStyle"},
        {L"DrawFocusRectangle", Bool(false), L"DrawFocusRectangle"},
        {L"MousePointer", I4(2), L"MousePointer"},
        {L"TipPreTimer", R4(1.5f), L"TipPreTimer"},
        {L"TipPostTimer", R4(3), L"TipPostTimer"},
        {L"TipShowMethod", I4(1), L"TipShowMethod"},
        {L"TipHideMethod", I4(2), L"TipHideMethod"},
        {L"TipAnimateSteps", I4(9), L"TipAnimateSteps"},
        {L"ValueSetClick", Bool(true), L"ValueSetClick"},
        {L"ControlWidth", I4(40), L"ControlWidth"},
        {L"ControlHeight", I4(20), L"ControlHeight"},
        {L"XOffset", I4(2), L"XOffset"},
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

TEST_F(CheckBoxTest, EffectSetArraysTakeOnlyArraysOfObjects) {
    auto b = placeBox();
    ASSERT_TRUE(b);
    Variant before = get(b, L"EffectsProps");
    ComPtr<IDispatch> first;
    LONG zero = 0;
    ASSERT_HRESULT_SUCCEEDED(::SafeArrayGetElement(before.parray, &zero, first.GetAddressOf()));

    Variant numbers;
    numbers.vt = VT_ARRAY | VT_I4;
    numbers.parray = ::SafeArrayCreateVector(VT_I4, 0, 4);
    Variant variants;
    variants.vt = VT_ARRAY | VT_VARIANT;
    variants.parray = ::SafeArrayCreateVector(VT_VARIANT, 0, 4);
    const Variant wrong[] = {I4(5),   Str(L"sets"), Variant::fromDispatch(first.Get()),
                             numbers, variants,     Variant()};
    for (const Variant& value : wrong) {
        SCOPED_TRACE(testing::Message() << "vt " << value.vt);
        for (bool tip : {false, true}) {
            b.site->notifications().clear();
            EXPECT_EQ(tip ? b.box->put_TipEffectsProps(value) : b.box->put_EffectsProps(value),
                      DISP_E_TYPEMISMATCH);
            EXPECT_TRUE(
                FAILED(putProperty(b.late(), tip ? L"TipEffectsProps" : L"EffectsProps", value)));
            EXPECT_TRUE(b.site->notifications().names().empty());
        }
        // Nothing was stored: the same four sets are there.
        Variant after = get(b, L"EffectsProps");
        LONG hi = -1;
        ::SafeArrayGetUBound(after.parray, 1, &hi);
        EXPECT_EQ(hi, 3);
        ComPtr<IDispatch> stillFirst;
        ::SafeArrayGetElement(after.parray, &zero, stillFirst.GetAddressOf());
        EXPECT_EQ(stillFirst.Get(), first.Get());
    }

    // An array of two sets replaces the four; reading gives the same objects.
    Variant two;
    two.vt = VT_ARRAY | VT_DISPATCH;
    two.parray = ::SafeArrayCreateVector(VT_DISPATCH, 0, 2);
    for (LONG i = 0; i < 2; ++i)
        ::SafeArrayPutElement(two.parray, &i, first.Get());
    ASSERT_HRESULT_SUCCEEDED(b.box->put_EffectsProps(two));
    Variant now = get(b, L"EffectsProps");
    LONG hi = -1;
    ::SafeArrayGetUBound(now.parray, 1, &hi);
    EXPECT_EQ(hi, 1);
    for (LONG i = 0; i < 2; ++i) {
        ComPtr<IDispatch> element;
        ::SafeArrayGetElement(now.parray, &i, element.GetAddressOf());
        EXPECT_EQ(element.Get(), first.Get());
    }
}

TEST_F(CheckBoxTest, SettingTheFontCopiesItIntoTheControlAndItsStateSets) {
    auto b = placeBox();
    ASSERT_TRUE(b);
    Variant ownBefore = get(b, L"Font");
    ASSERT_EQ(ownBefore.vt, VT_DISPATCH);

    // Whole-pixel size and no italic: the font object reports the face and
    // size it realizes, and this Wine has Tahoma bold but no italic.
    FONTDESC desc{sizeof(FONTDESC),
                  const_cast<LPOLESTR>(L"Tahoma"),
                  {},
                  FW_BOLD,
                  DEFAULT_CHARSET,
                  FALSE,
                  TRUE,
                  FALSE};
    desc.cySize.int64 = 120000; // 12 points
    ComPtr<IFontDisp> given;
    ASSERT_HRESULT_SUCCEEDED(::OleCreateFontIndirect(
        &desc, IID_IFontDisp, reinterpret_cast<void**>(given.GetAddressOf())));
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
            auto field = [&](const wchar_t* name) {
                Variant v;
                EXPECT_HRESULT_SUCCEEDED(getProperty(f.Get(), name, v));
                return v;
            };
            EXPECT_EQ(TextOf(field(L"Name")), L"Tahoma");
            EXPECT_EQ(NumberOf(field(L"Size")), 12);
            EXPECT_EQ(NumberOf(field(L"Bold")), -1);
            EXPECT_EQ(NumberOf(field(L"Underline")), -1);
        }
    }
    EXPECT_EQ(b.box->put_Font(nullptr), E_POINTER);
}

} // namespace
} // namespace pkw::test
