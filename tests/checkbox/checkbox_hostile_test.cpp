// What containers, scripts and other programs may hand the check box that
// it never writes itself: each is either taken or refused without changing
// what the control shows, and a save then writes what the control shows.
#include "tests/checkbox/checkbox_fixture.h"

#include "host/effect_sets.h"
#include "zelGlobals40.h"

#include <atomic>
#include <thread>

namespace pkw::test {
namespace {

Variant Raw(VARTYPE vt, LONGLONG bits = 0) {
    Variant v;
    v.vt = vt;
    v.llVal = bits;
    return v;
}

// A script's array (of variants), or one of objects or unknowns; the
// items here are all objects with IDispatch, or empty slots.
Variant ArrayOf(VARTYPE vt, std::initializer_list<ComPtr<IUnknown>> items) {
    Variant v;
    v.vt = VT_ARRAY | vt;
    v.parray = ::SafeArrayCreateVector(vt, 0, static_cast<ULONG>(items.size()));
    LONG i = 0;
    for (const auto& item : items) {
        ComPtr<IDispatch> dispatch;
        if (item) item.As(&dispatch);
        Variant element = item ? Variant::fromDispatch(dispatch.Get()) : Variant();
        // Each copies or AddRefs what it is given.
        if (vt == VT_VARIANT)
            ::SafeArrayPutElement(v.parray, &i, &element);
        else if (vt == VT_DISPATCH)
            ::SafeArrayPutElement(v.parray, &i, dispatch.Get());
        else
            ::SafeArrayPutElement(v.parray, &i, item.Get());
        ++i;
    }
    return v;
}

ComPtr<IUnknown> NewEffectSet() {
    ComPtr<IUnknown> set;
    createFromDll(besideProgram(L"zelGlobals40.dll"), CLSID_EffectSet, set);
    return set;
}

using CheckBoxHostileTest = CheckBoxTest;

// Values that no colour converts from; a load skips them.
TEST_F(CheckBoxHostileTest, AColourThatDoesNotLoadIsSavedAsTheControlShowsIt) {
    SAFEARRAYBOUND grid[2] = {{2, 0}, {2, 0}};
    Variant bytes2d;
    bytes2d.vt = VT_ARRAY | VT_UI1;
    bytes2d.parray = ::SafeArrayCreate(VT_UI1, 2, grid);
    const std::pair<const char*, Variant> values[] = {
        {"currency", Raw(VT_CY, 123456)}, {"long digits", Str(L"12345678901234567890123456789")},
        {"null", Raw(VT_NULL)},           {"no object", Raw(VT_UNKNOWN)},
        {"2-D bytes", bytes2d},
    };
    const wchar_t* const colours[] = {L"BackColor", L"ForeColor", L"DisabledForeColor"};
    for (const auto& [what, value] : values) {
        SCOPED_TRACE(what);
        auto bag = MemoryPropertyBag::create();
        for (const wchar_t* key : colours)
            bag->set(key, value);
        auto first = loadBox(bag.Get(), L"First");
        ASSERT_TRUE(first);
        auto saved = MemoryPropertyBag::create();
        ASSERT_HRESULT_SUCCEEDED(saveToBag(first.site->control(), saved.Get()));
        auto second = loadBox(saved.Get(), L"Second");
        ASSERT_TRUE(second);
        for (const wchar_t* key : colours)
            EXPECT_EQ(getNumber(second, key), getNumber(first, key)) << narrow(key);
        form().remove(*first.site.Get());
        form().remove(*second.site.Get());
    }
}

TEST_F(CheckBoxHostileTest, EffectBlocksTakeSystemColoursAndOnlyPicturesAsPictures) {
    auto bag = MemoryPropertyBag::create();
    bag->set(L"VisualEffectStyle", I4(1));
    // System colours as a double and as digits, the way script and text
    // bags store them: neither fits a signed 32-bit read.
    Variant wide;
    wide.vt = VT_R8;
    wide.dblVal = 2147483663.0;
    bag->set(L"BackColor0", wide);
    bag->set(L"BodyGradInfoCount2", I4(1));
    bag->set(L"BodyGradInfo_GradColor20", Str(L"2147483653"));
    bag->set(L"TipInitialized", Bool(true));
    bag->set(L"TIP:BorderColor", Raw(VT_UI4, 0x80000012));
    const ComPtr<IFontDisp> font = makeFont(L"Arial", 80000);
    bag->set(L"BodyTexture1", Variant::fromDispatch(font.Get()));
    bag->set(L"TIP:Image", Variant::fromDispatch(font.Get()));
    auto b = loadBox(bag.Get());
    ASSERT_TRUE(b);

    const auto states = EffectSetsOf(get(b, L"EffectsProps"));
    const auto tips = EffectSetsOf(get(b, L"TipEffectsProps"));
    ASSERT_EQ(states.size(), 4u);
    ASSERT_EQ(tips.size(), 1u);
    IEffectSet *normal = states[0].Get(), *hot = states[1].Get(), *pressed = states[2].Get(),
               *tip = tips[0].Get();
    ASSERT_TRUE(normal && hot && pressed && tip);
    OLE_COLOR colour = 0;
    EXPECT_HRESULT_SUCCEEDED(normal->get_BackColor(&colour));
    EXPECT_EQ(colour, 0x8000000Fu);
    EXPECT_HRESULT_SUCCEEDED(tip->get_BorderColor(&colour));
    EXPECT_EQ(colour, 0x80000012u);
    ComPtr<IGradInfo> grad;
    GradStop stop{};
    ASSERT_HRESULT_SUCCEEDED(pressed->get_BodyGradInfo(&grad));
    ASSERT_HRESULT_SUCCEEDED(grad->GetStop(0, &stop));
    EXPECT_EQ(static_cast<ULONG>(stop.GradColor), 0x80000005u);
    ComPtr<IPictureDisp> texture, image;
    EXPECT_HRESULT_SUCCEEDED(hot->get_BodyTexture(&texture));
    EXPECT_FALSE(texture) << "a font became a texture";
    EXPECT_HRESULT_SUCCEEDED(tip->get_Image(&image));
    EXPECT_FALSE(image) << "a font became an image";
}

TEST_F(CheckBoxHostileTest, APictureSettingKeepsItsPictureWhenTheStoredObjectIsNone) {
    auto b = placeBox();
    ASSERT_TRUE(b);
    auto bag = MemoryPropertyBag::create();
    ASSERT_HRESULT_SUCCEEDED(saveToBag(b.site->control(), bag.Get()));
    const ComPtr<IPictureDisp> picture = bitmapPicture(4, 4, 0);
    ASSERT_TRUE(picture);
    ASSERT_HRESULT_SUCCEEDED(b.box->putref_Picture(picture.Get()));
    ASSERT_HRESULT_SUCCEEDED(b.box->putref_PictureDisabled(picture.Get()));
    // The container reloads the control from a form edited by hand.
    bag->set(L"Picture", Variant::fromDispatch(get(b, L"Font").pdispVal));
    bag->set(L"PictureDisabled", I4(7));
    ASSERT_HRESULT_SUCCEEDED(loadFromBag(b.site->control(), bag.Get()));
    for (const wchar_t* name : {L"Picture", L"PictureDisabled"}) {
        const Variant kept = get(b, name);
        EXPECT_EQ(kept.vt == VT_DISPATCH ? kept.pdispVal : nullptr,
                  static_cast<IDispatch*>(picture.Get()))
            << narrow(name);
    }
}

TEST_F(CheckBoxHostileTest, EffectSetsComeFromScriptsAndNothingElseIsTaken) {
    auto b = placeBox();
    ASSERT_TRUE(b);
    put(b, L"VisualEffectStyle", I4(1));
    ComPtr<IUnknown> a = NewEffectSet(), c = NewEffectSet();
    ComPtr<IUnknown> font;
    ASSERT_HRESULT_SUCCEEDED(get(b, L"Font").pdispVal->QueryInterface(IID_PPV_ARGS(&font)));
    ASSERT_TRUE(a && c);
    NotifyRecorder& notes = b.site->notifications();
    Variant numbers;
    numbers.vt = VT_ARRAY | VT_I4;
    numbers.parray = ::SafeArrayCreateVector(VT_I4, 0, 4);

    struct Case {
        const char* what;
        Variant sets;
        IUnknown* taken; // the first set afterwards; null: refused
    };
    const Case cases[] = {
        {"variants of sets (a script's array)", ArrayOf(VT_VARIANT, {a, c}), a.Get()},
        {"unknowns of sets", ArrayOf(VT_UNKNOWN, {c, a}), c.Get()},
        {"variants with a font", ArrayOf(VT_VARIANT, {a, font}), nullptr},
        {"variants with an empty slot", ArrayOf(VT_VARIANT, {a, nullptr}), nullptr},
        {"objects with a font", ArrayOf(VT_DISPATCH, {font, a}), nullptr},
        {"one set, not an array", Variant::fromUnknown(a.Get()), nullptr},
        {"numbers", numbers, nullptr},
    };
    for (const wchar_t* property : {L"EffectsProps", L"TipEffectsProps"}) {
        for (const Case& k : cases) {
            SCOPED_TRACE(narrow(property) + ": " + k.what);
            const auto before = EffectSetsOf(get(b, property));
            notes.clear();
            EXPECT_EQ(putProperty(b.late(), property, k.sets),
                      k.taken ? S_OK : DISP_E_TYPEMISMATCH);
            const Variant after = get(b, property);
            ASSERT_EQ(after.vt, VT_ARRAY | VT_DISPATCH);
            const auto now = EffectSetsOf(after);
            ASSERT_FALSE(now.empty() || before.empty());
            if (k.taken) {
                ComPtr<IUnknown> first;
                ASSERT_HRESULT_SUCCEEDED(now[0].As(&first));
                EXPECT_EQ(first.Get(), k.taken);
                EXPECT_EQ(now.size(), 2u) << "the given sets replace the old ones";
                EXPECT_EQ(notes.count(L"Enabled"), 1u);
            } else {
                EXPECT_EQ(now[0].Get(), before[0].Get()) << "changed on a refusal";
                EXPECT_TRUE(notes.changes().empty()) << "notified on a refusal";
            }
        }
    }
}

TEST_F(CheckBoxHostileTest, ASaveWithoutEverySetFailsRatherThanWritingLess) {
    const ComPtr<IUnknown> a = NewEffectSet(), c = NewEffectSet();
    ASSERT_TRUE(a && c);
    const std::pair<const wchar_t*, Variant> cases[] = {
        {L"EffectsProps", ArrayOf(VT_DISPATCH, {a, c})},
        {L"TipEffectsProps", ArrayOf(VT_DISPATCH, {})},
    };
    for (const auto& [property, sets] : cases) {
        SCOPED_TRACE(narrow(property));
        auto b = placeBox();
        ASSERT_TRUE(b);
        put(b, L"VisualEffectStyle", I4(1));
        put(b, property, sets);
        auto bag = MemoryPropertyBag::create();
        EXPECT_EQ(saveToBag(b.site->control(), bag.Get()), DISP_E_BADINDEX);
        form().remove(*b.site.Get());
    }
}

// Another thread's (or program's) pointer means nothing here: only the
// control's own thread gets the text written; the size is anyone's.
TEST_F(CheckBoxHostileTest, TheTipTextIsWrittenOnlyForTheControlsOwnThread) {
    auto b = placeBox();
    ASSERT_TRUE(b);
    put(b, L"UniToolTipText", Str(L"abc"));
    const HWND window = b.window();
    std::vector<BYTE> buffer(16, 0xCC);
    LRESULT text = 0, size = 0;
    std::atomic<bool> done = false;
    std::thread other([&] {
        text = ::SendMessageW(window, 3551, reinterpret_cast<WPARAM>(window),
                              reinterpret_cast<LPARAM>(buffer.data()));
        size = ::SendMessageW(window, 3552, 0, 0);
        done = true;
    });
    const bool answered = pumpUntil([&] { return done.load(); });
    other.join();
    ASSERT_TRUE(answered);
    EXPECT_EQ(text, 1003);
    EXPECT_EQ(buffer, std::vector<BYTE>(16, 0xCC));
    EXPECT_EQ(size, 12);
    // From its own thread the text still comes.
    EXPECT_EQ(::SendMessageW(window, 3551, reinterpret_cast<WPARAM>(window),
                             reinterpret_cast<LPARAM>(buffer.data())),
              1001);
    EXPECT_EQ(buffer[0], 'a');
}

} // namespace
} // namespace pkw::test
