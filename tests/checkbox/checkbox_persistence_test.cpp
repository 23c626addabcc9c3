// NuCheckBox40's settings through the container's property bag and
// stream: texts stored as UTF-16 bytes, a full round trip (texts with
// characters outside the code page included, the first stream version too),
// the effect blocks, and what loading does with missing or unusable values.
#include "tests/checkbox/checkbox_fixture.h"
#include "host/effect_sets.h"
#include "host/font_text.h"

#include "activex/memory_property_bag.h"
#include "activex/stream_format.h"
#include "common/com/bstr.h"
#include "zelGlobals40.h"

#include <cstring>

namespace pkw::test {
namespace {

constexpr wchar_t kCaption[] = L"\u0416\u4E2D \u2713 &x \u00E9";
constexpr wchar_t kTip[] = L"tip \u4E2D\u6587";

// Settings a form may hold, none at its default; set by name in this order.
struct Setting {
    const wchar_t* name;
    Variant value;
};
std::vector<Setting> NonDefaultSettings() {
    return {
        {L"UniCaption", Str(kCaption)},
        {L"UniToolTipText", Str(kTip)},
        {L"ValueSetClick", Bool(true)},
        {L"Value", I4(2)},
        {L"BackColor", I4(0x00FF00)},
        {L"ForeColor", I4(0x0000FF)},
        {L"DisabledForeColor", I4(0x808080)},
        {L"Alignment", I4(1)},
        {L"DrawFocusRectangle", Bool(false)},
        {L"Enabled", Bool(false)},
        {L"MousePointer", I4(2)},
        {L"BackStyle", I4(0)},
        {L"TipPreTimer", R4(0.5f)},
        {L"TipPostTimer", R4(9)},
        {L"TipShowMethod", I4(1)},
        {L"TipHideMethod", I4(2)},
        {L"TipAnimateSteps", I4(9)},
        {L"XOffset", I4(3)},
        {L"YOffset", I4(2)},
    };
}

// A key of an effect block: the tool tip's, or a state's (its index last).
bool IsEffectKey(const std::wstring& name) {
    return name.starts_with(L"TIP:") || (!name.empty() && iswdigit(name.back()));
}

std::vector<std::pair<LONG, SHORT>> StopsOf(IEffectSet* set) {
    std::vector<std::pair<LONG, SHORT>> stops;
    ComPtr<IGradInfo> grad;
    LONG count = 0;
    if (FAILED(set->get_BodyGradInfo(&grad)) || !grad || FAILED(grad->get_Count(&count)))
        return stops;
    for (LONG j = 0; j < count; ++j) {
        GradStop stop{};
        grad->GetStop(j, &stop);
        stops.emplace_back(stop.GradColor, stop.GradPercent);
    }
    return stops;
}

class CheckBoxPersistenceTest : public CheckBoxTest {
protected:
    PlacedBox placeConfigured() {
        auto b = placeBox(L"Saved");
        if (!b) return b;
        for (const Setting& s : NonDefaultSettings())
            put(b, s.name, s.value);
        EXPECT_HRESULT_SUCCEEDED(b.box->putref_Font(makeFont(L"Tahoma", 140000, true).Get()));
        EXPECT_HRESULT_SUCCEEDED(b.box->putref_Picture(bitmapPicture(16, 12, 0xFF).Get()));
        EXPECT_HRESULT_SUCCEEDED(b.box->putref_PictureDisabled(bitmapPicture(8, 6, 0xFF).Get()));
        EXPECT_HRESULT_SUCCEEDED(b.box->putref_MouseIcon(bitmapPicture(4, 4, 0xFF).Get()));
        return b;
    }

    static std::pair<double, double> PictureSize(IDispatch* picture) {
        if (!picture) return {-1, -1};
        Variant w, h;
        getProperty(picture, L"Width", w);
        getProperty(picture, L"Height", h);
        return {NumberOf(w), NumberOf(h)};
    }

    // What `saved` was given; fonts and pictures as `saved` shows them.
    void ExpectSameSettings(const PlacedBox& saved, const PlacedBox& loaded) {
        for (const Setting& s : NonDefaultSettings()) {
            const Variant v = get(loaded, s.name);
            if (s.value.vt == VT_BSTR) {
                EXPECT_EQ(TextOf(v), TextOf(s.value)) << narrow(s.name);
            } else {
                EXPECT_EQ(NumberOf(v), NumberOf(s.value)) << narrow(s.name);
            }
        }
        std::wstring fontSaved, fontLoaded;
        EXPECT_HRESULT_SUCCEEDED(describeFont(get(saved, L"Font").pdispVal, fontSaved));
        EXPECT_HRESULT_SUCCEEDED(describeFont(get(loaded, L"Font").pdispVal, fontLoaded));
        EXPECT_EQ(fontLoaded, fontSaved);
        for (const wchar_t* picture : {L"Picture", L"PictureDisabled", L"MouseIcon"}) {
            SCOPED_TRACE(narrow(picture));
            const Variant a = get(saved, picture), b = get(loaded, picture);
            ASSERT_EQ(b.vt, VT_DISPATCH);
            ASSERT_TRUE(b.pdispVal);
            EXPECT_NE(b.pdispVal, a.pdispVal); // loaded afresh by the container
            EXPECT_EQ(PictureSize(b.pdispVal), PictureSize(a.pdispVal));
        }
    }
};

// A real form's text keys hold UTF-16LE units as bytes, whatever the code page.
TEST_F(CheckBoxPersistenceTest, SavingStoresTextsAsUtf16Bytes) {
    auto b = placeConfigured();
    ASSERT_TRUE(b);
    auto bag = MemoryPropertyBag::create();
    ASSERT_HRESULT_SUCCEEDED(saveToBag(b.site->control(), bag.Get()));
    Variant caption;
    ASSERT_HRESULT_SUCCEEDED(bag->get(L"Caption", caption));
    ASSERT_EQ(caption.vt, VT_ARRAY | VT_UI1);
    const std::wstring text(kCaption);
    EXPECT_EQ(caption.parray->rgsabound[0].cElements, text.size() * 2);
    BYTE* bytes = nullptr;
    ASSERT_HRESULT_SUCCEEDED(
        ::SafeArrayAccessData(caption.parray, reinterpret_cast<void**>(&bytes)));
    EXPECT_EQ(0, std::memcmp(bytes, text.data(), text.size() * 2));
    ::SafeArrayUnaccessData(caption.parray);
}

// A state's settings carry its index, a gradient stop's its state's and its
// own; the tool tip's block is marked TIP:.
TEST_F(CheckBoxPersistenceTest, EffectSettingsSurviveInTheirBlocks) {
    auto saved = placeBox(L"Saved");
    ASSERT_TRUE(saved);
    put(saved, L"VisualEffectStyle", I4(1));
    auto states = EffectSetsOf(get(saved, L"EffectsProps"));
    auto tips = EffectSetsOf(get(saved, L"TipEffectsProps"));
    ASSERT_EQ(states.size(), 4u);
    ASSERT_EQ(tips.size(), 1u);
    IEffectSet* pressed = states[2].Get();
    ASSERT_HRESULT_SUCCEEDED(pressed->put_DropShadowXDistance(1));
    const GradStop stops[] = {{0x112233, 10}, {0x445566, 60}, {0x778899, 100}};
    ComPtr<IGradInfo> grad;
    ASSERT_HRESULT_SUCCEEDED(pressed->get_BodyGradInfo(&grad));
    ASSERT_HRESULT_SUCCEEDED(grad->put_Count(3));
    ASSERT_HRESULT_SUCCEEDED(grad->SetStops(3, const_cast<GradStop*>(stops)));
    // A header setting of one state only does not survive: the tool tip's
    // header settings are the ones kept.
    ASSERT_HRESULT_SUCCEEDED(states[1]->put_HeaderAlpha(10));
    ASSERT_HRESULT_SUCCEEDED(tips[0]->put_HeaderAlpha(200));
    ASSERT_HRESULT_SUCCEEDED(tips[0]->put_Radius(9));
    Bstr caption(L"Tip \u2713");
    ASSERT_HRESULT_SUCCEEDED(tips[0]->put_Caption(caption.get()));

    auto bag = MemoryPropertyBag::create();
    ASSERT_HRESULT_SUCCEEDED(saveToBag(saved.site->control(), bag.Get()));
    const std::pair<const wchar_t*, LONG> keys[] = {
        {L"DropShadowXDistance2", 1},
        {L"BodyGradInfoCount2", 3},
        {L"BodyGradInfo_GradColor22", 0x778899},
        {L"BodyGradInfo_GradPercent21", 60},
        {L"TIP:Radius", 9},
        {L"TIP:HeaderAlpha", 200},
    };
    for (const auto& [key, value] : keys) {
        Variant v;
        ASSERT_HRESULT_SUCCEEDED(bag->get(key, v)) << narrow(key);
        EXPECT_EQ(NumberOf(v), value) << narrow(key);
    }
    // Settings at their block's default leave no key.
    for (const wchar_t* key : {L"DropShadowXDistance0", L"TIP:ImageAlpha", L"HeaderAlpha1"})
        EXPECT_FALSE(bag->has(key)) << narrow(key);

    auto loaded = loadBox(bag.Get());
    ASSERT_TRUE(loaded);
    auto loadedStates = EffectSetsOf(get(loaded, L"EffectsProps"));
    auto loadedTips = EffectSetsOf(get(loaded, L"TipEffectsProps"));
    ASSERT_EQ(loadedStates.size(), 4u);
    ASSERT_EQ(loadedTips.size(), 1u);
    EXPECT_NE(loadedStates[2].Get(), pressed) << "new sets are made on loading";
    SHORT n = 0;
    loadedStates[2]->get_DropShadowXDistance(&n);
    EXPECT_EQ(n, 1);
    loadedStates[0]->get_DropShadowXDistance(&n);
    EXPECT_EQ(n, 3);
    EXPECT_EQ(StopsOf(loadedStates[2].Get()), StopsOf(pressed));
    EXPECT_EQ(StopsOf(loadedStates[2].Get()).size(), 3u);
    for (const auto& set : {loadedStates[0], loadedStates[1], loadedTips[0]}) {
        set->get_HeaderAlpha(&n);
        EXPECT_EQ(n, 200);
    }
    loadedTips[0]->get_Radius(&n);
    EXPECT_EQ(n, 9);
    Bstr loadedCaption;
    loadedTips[0]->get_Caption(loadedCaption.put());
    EXPECT_EQ(loadedCaption.view(), caption.view());

    // With the standard look no state key is written, sets or not.
    put(loaded, L"VisualEffectStyle", I4(0));
    auto plain = MemoryPropertyBag::create();
    ASSERT_HRESULT_SUCCEEDED(saveToBag(loaded.site->control(), plain.Get()));
    for (const auto& name : plain->names())
        EXPECT_FALSE(IsEffectKey(name) && !name.starts_with(L"TIP:")) << narrow(name);
}

// Through a bag, and through a stream as the first version wrote it (the
// current stream version is the plumbing's own round trip).
TEST_F(CheckBoxPersistenceTest, SettingsSurviveABagAndAFirstVersionStream) {
    auto saved = placeConfigured();
    ASSERT_TRUE(saved);
    auto bag = MemoryPropertyBag::create();
    ASSERT_HRESULT_SUCCEEDED(saveToBag(saved.site->control(), bag.Get()));
    auto loaded = loadBox(bag.Get());
    ASSERT_TRUE(loaded);
    {
        SCOPED_TRACE("property bag");
        ExpectSameSettings(saved, loaded);
    }
    form().remove(*loaded.site.Get());

    // The same values, fonts as font objects save themselves.
    auto values = ax::MemoryPropertyBag::create();
    ASSERT_HRESULT_SUCCEEDED(saveToBag(saved.site->control(), values.Get()));
    ComPtr<IStream> stream;
    ASSERT_HRESULT_SUCCEEDED(::CreateStreamOnHGlobal(nullptr, TRUE, &stream));
    ASSERT_HRESULT_SUCCEEDED(
        ax::stream_format::write(stream.Get(), *values.Get(), ax::stream_format::Version::First));
    ASSERT_HRESULT_SUCCEEDED(stream->Seek(LARGE_INTEGER{}, STREAM_SEEK_SET, nullptr));
    AddOptions options;
    options.init = AddOptions::Init::Stream;
    options.stream = stream.Get();
    loaded = placeBox(L"Loaded", {10, 60, 130, 84}, options);
    ASSERT_TRUE(loaded);
    SCOPED_TRACE("stream of the first version");
    ExpectSameSettings(saved, loaded);
}

// An empty bag is a form older than every key.
TEST_F(CheckBoxPersistenceTest, AnOlderFormWithoutKeysLoadsTheDefaults) {
    auto bag = MemoryPropertyBag::create();
    auto b = loadBox(bag.Get());
    ASSERT_TRUE(b);
    EXPECT_EQ(getNumber(b, L"Enabled"), -1);
    EXPECT_EQ(getNumber(b, L"TipPreTimer"), 2);
    EXPECT_EQ(getNumber(b, L"BackColor"), 0x8000000Fu) << "the system colour";
    // A missing text is one NUL character, in the tip text's size too.
    EXPECT_EQ(getText(b, L"UniCaption"), std::wstring(1, L'\0'));
    EXPECT_EQ(::SendMessageW(b.window(), 3552, 0, 0), 4);
    // No state sets with the standard look; the tool tip got its set.
    EXPECT_EQ(EffectSetsOf(get(b, L"EffectsProps")).size(), 0u);
    EXPECT_EQ(EffectSetsOf(get(b, L"TipEffectsProps")).size(), 1u);
    // The next save says the tool tip is initialised.
    auto again = MemoryPropertyBag::create();
    ASSERT_HRESULT_SUCCEEDED(saveToBag(b.site->control(), again.Get()));
    Variant tipInitialized;
    ASSERT_HRESULT_SUCCEEDED(again->get(L"TipInitialized", tipInitialized));
    EXPECT_EQ(tipInitialized.vt, VT_BOOL);
    EXPECT_EQ(tipInitialized.boolVal, VARIANT_TRUE);
}

TEST_F(CheckBoxPersistenceTest, AnUnusableValueIsSkippedAndTheRestLoads) {
    auto bag = MemoryPropertyBag::create();
    // Unusable: the fields keep what a new control has (False), not the
    // defaults (True) a missing key would give.
    bag->set(L"DrawFocusRectangle", Str(L"perhaps"));
    bag->set(L"Enabled", Str(L"perhaps"));
    bag->set(L"Value", I4(2));
    bag->set(L"Alignment", I4(1));
    bag->set(L"YOffset", I4(7));
    auto b = loadBox(bag.Get());
    ASSERT_TRUE(b);
    EXPECT_EQ(getNumber(b, L"DrawFocusRectangle"), 0);
    EXPECT_EQ(getNumber(b, L"Enabled"), 0);
    EXPECT_EQ(getNumber(b, L"Value"), 2);
    EXPECT_EQ(getNumber(b, L"Alignment"), 1);
    EXPECT_EQ(getNumber(b, L"YOffset"), 7);
}

} // namespace
} // namespace pkw::test
