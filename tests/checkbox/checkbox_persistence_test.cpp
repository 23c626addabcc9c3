// NuCheckBox40's settings through the container's property bag and
// stream: the keys in the persisted order, a full round trip (texts with
// characters outside the code page included), and what loading does with
// missing or unusable values.
#include "tests/checkbox/checkbox_fixture.h"

#include <olectl.h>

#include <cstring>

namespace pkw::test {
namespace {

constexpr wchar_t kCaption[] = L"\u0416\u4E2D \u2713 &x \u00E9";
constexpr wchar_t kTip[] = L"tip \u4E2D\u6587";

// 24 bits per pixel: Wine's picture object cannot load the 16- and 32-bit
// bitmaps it saves.
ComPtr<IPictureDisp> BitmapPicture(int width, int height) {
    BITMAPINFO info{};
    info.bmiHeader = {sizeof(BITMAPINFOHEADER), width, height, 1, 24, BI_RGB};
    void* bits = nullptr;
    HBITMAP bitmap = ::CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    PICTDESC desc{sizeof(PICTDESC), PICTYPE_BITMAP};
    desc.bmp.hbitmap = bitmap;
    ComPtr<IPictureDisp> picture;
    ::OleCreatePictureIndirect(&desc, IID_IPictureDisp, TRUE,
                               reinterpret_cast<void**>(picture.GetAddressOf()));
    return picture;
}

ComPtr<IFontDisp> Font(const wchar_t* name, int points, bool bold) {
    FONTDESC desc{sizeof(FONTDESC),
                  const_cast<LPOLESTR>(name),
                  {},
                  static_cast<SHORT>(bold ? FW_BOLD : FW_NORMAL),
                  DEFAULT_CHARSET,
                  FALSE,
                  FALSE,
                  FALSE};
    desc.cySize.int64 = points * 10000LL;
    ComPtr<IFontDisp> font;
    ::OleCreateFontIndirect(&desc, IID_IFontDisp, reinterpret_cast<void**>(font.GetAddressOf()));
    return font;
}

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

class CheckBoxPersistenceTest : public CheckBoxTest {
protected:
    PlacedBox placeConfigured() {
        auto b = placeBox(L"Saved");
        if (!b) return b;
        for (const Setting& s : NonDefaultSettings())
            put(b, s.name, s.value);
        EXPECT_HRESULT_SUCCEEDED(b.box->putref_Font(Font(L"Tahoma", 14, true).Get()));
        EXPECT_HRESULT_SUCCEEDED(b.box->putref_Picture(BitmapPicture(16, 12).Get()));
        EXPECT_HRESULT_SUCCEEDED(b.box->putref_PictureDisabled(BitmapPicture(8, 6).Get()));
        EXPECT_HRESULT_SUCCEEDED(b.box->putref_MouseIcon(BitmapPicture(4, 4).Get()));
        return b;
    }

    static std::pair<double, double> PictureSize(IDispatch* picture) {
        if (!picture) return {-1, -1};
        Variant w, h;
        getProperty(picture, L"Width", w);
        getProperty(picture, L"Height", h);
        return {NumberOf(w), NumberOf(h)};
    }

    void ExpectSameSettings(const PlacedBox& saved, const PlacedBox& loaded) {
        for (const Setting& s : NonDefaultSettings()) {
            SCOPED_TRACE(narrow(s.name));
            const Variant a = get(saved, s.name), b = get(loaded, s.name);
            if (a.vt == VT_BSTR) {
                EXPECT_EQ(TextOf(b), TextOf(a));
                EXPECT_EQ(TextOf(b), TextOf(s.value));
            } else {
                EXPECT_EQ(NumberOf(b), NumberOf(a));
                EXPECT_EQ(NumberOf(b), NumberOf(s.value));
            }
        }
        for (const wchar_t* font : {L"Font"}) {
            const Variant a = get(saved, font), b = get(loaded, font);
            for (const wchar_t* field : {L"Name", L"Size", L"Bold"}) {
                SCOPED_TRACE(narrow(field));
                Variant x, y;
                getProperty(a.pdispVal, field, x);
                getProperty(b.pdispVal, field, y);
                if (x.vt == VT_BSTR) {
                    EXPECT_EQ(TextOf(y), TextOf(x));
                } else {
                    EXPECT_EQ(NumberOf(y), NumberOf(x));
                }
            }
        }
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

TEST_F(CheckBoxPersistenceTest, SavingWritesTheKeysInTheFormatsOrder) {
    auto b = placeConfigured();
    ASSERT_TRUE(b);
    put(b, L"VisualEffectStyle", I4(1));
    put(b, L"ControlWidth", I4(77));
    put(b, L"ControlHeight", I4(21));
    auto bag = MemoryPropertyBag::create();
    ASSERT_HRESULT_SUCCEEDED(saveToBag(b.site->control(), bag.Get()));
    std::vector<std::wstring> written;
    for (const auto& w : bag->writes())
        written.push_back(w.name);
    const std::vector<std::wstring> expected{L"TipInitialized",
                                             L"VisualEffectStyle",
                                             L"ValueSetClick",
                                             L"DisabledForeColor",
                                             L"DrawFocusRectangle",
                                             L"Alignment",
                                             L"BackColor",
                                             L"Caption",
                                             L"Enabled",
                                             L"Font",
                                             L"ForeColor",
                                             L"MouseIcon",
                                             L"MousePointer",
                                             L"BackStyle",
                                             L"Value",
                                             L"Picture",
                                             L"PictureDisabled",
                                             L"TipPreTimer",
                                             L"TipPostTimer",
                                             L"TipShowMethod",
                                             L"TipHideMethod",
                                             L"TipAnimateSteps",
                                             L"ControlWidth",
                                             L"ControlHeight",
                                             L"XOffset",
                                             L"YOffset",
                                             L"NuToolTipText"};
    EXPECT_EQ(written, expected);

    // Stored types: texts as byte arrays of UTF-16LE units, Value as int16.
    Variant caption, value, tipInitialized;
    ASSERT_HRESULT_SUCCEEDED(bag->get(L"Caption", caption));
    ASSERT_EQ(caption.vt, VT_ARRAY | VT_UI1);
    const std::wstring text(kCaption);
    EXPECT_EQ(caption.parray->rgsabound[0].cElements, text.size() * 2);
    BYTE* bytes = nullptr;
    ASSERT_HRESULT_SUCCEEDED(
        ::SafeArrayAccessData(caption.parray, reinterpret_cast<void**>(&bytes)));
    EXPECT_EQ(0, std::memcmp(bytes, text.data(), text.size() * 2));
    ::SafeArrayUnaccessData(caption.parray);
    ASSERT_HRESULT_SUCCEEDED(bag->get(L"Value", value));
    EXPECT_EQ(value.vt, VT_I2);
    ASSERT_HRESULT_SUCCEEDED(bag->get(L"TipInitialized", tipInitialized));
    EXPECT_EQ(tipInitialized.vt, VT_BOOL);
    EXPECT_EQ(tipInitialized.boolVal, VARIANT_TRUE);
}

TEST_F(CheckBoxPersistenceTest, SettingsSurviveABagAndAStream) {
    auto saved = placeConfigured();
    ASSERT_TRUE(saved);
    enum class Path { Bag, Stream };
    for (Path path : {Path::Bag, Path::Stream}) {
        SCOPED_TRACE(path == Path::Bag ? "property bag" : "stream");
        AddOptions options;
        auto bag = MemoryPropertyBag::create();
        ComPtr<IStream> stream;
        if (path == Path::Bag) {
            ASSERT_HRESULT_SUCCEEDED(saveToBag(saved.site->control(), bag.Get()));
            options.init = AddOptions::Init::PropertyBag;
            options.bag = bag.Get();
        } else {
            ASSERT_HRESULT_SUCCEEDED(saveToStream(saved.site->control(), stream));
            options.init = AddOptions::Init::Stream;
            options.stream = stream.Get();
        }
        auto loaded = placeBox(L"Loaded", {10, 60, 130, 84}, options);
        ASSERT_TRUE(loaded);
        ExpectSameSettings(saved, loaded);
        form().remove(*loaded.site.Get());
    }
}

TEST_F(CheckBoxPersistenceTest, AnOlderFormWithoutKeysLoadsTheDefaults) {
    auto bag = MemoryPropertyBag::create();
    AddOptions options;
    options.init = AddOptions::Init::PropertyBag;
    options.bag = bag.Get();
    auto b = placeBox(L"Old", kRect, options);
    ASSERT_TRUE(b);
    struct Expected {
        const wchar_t* name;
        double value;
    };
    const Expected defaults[] = {
        {L"Value", 0},
        {L"Enabled", -1},
        {L"DrawFocusRectangle", -1},
        {L"Alignment", 0},
        {L"BackStyle", 1},
        {L"ValueSetClick", 0},
        {L"TipPreTimer", 2},
        {L"TipPostTimer", 6},
        {L"TipAnimateSteps", 5},
        {L"VisualEffectStyle", 0},
        {L"XOffset", 0},
        {L"ForeColor", 0},
    };
    for (const auto& d : defaults) {
        SCOPED_TRACE(narrow(d.name));
        EXPECT_EQ(getNumber(b, d.name), d.value);
    }
    EXPECT_EQ(static_cast<ULONG>(getLong(b, L"BackColor")), 0x8000000Fu);
    EXPECT_EQ(static_cast<ULONG>(getLong(b, L"DisabledForeColor")), 0x80000011u);
    // No state sets with the standard look; the tool tip got its set.
    Variant states = get(b, L"EffectsProps"), tips = get(b, L"TipEffectsProps");
    LONG hi = 99;
    ::SafeArrayGetUBound(states.parray, 1, &hi);
    EXPECT_EQ(hi, -1);
    ::SafeArrayGetUBound(tips.parray, 1, &hi);
    EXPECT_EQ(hi, 0);
    // The next save says the tool tip is initialised.
    auto again = MemoryPropertyBag::create();
    ASSERT_HRESULT_SUCCEEDED(saveToBag(b.site->control(), again.Get()));
    Variant tipInitialized;
    ASSERT_HRESULT_SUCCEEDED(again->get(L"TipInitialized", tipInitialized));
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
    AddOptions options;
    options.init = AddOptions::Init::PropertyBag;
    options.bag = bag.Get();
    auto b = placeBox(L"Damaged", kRect, options);
    ASSERT_TRUE(b);
    EXPECT_EQ(getNumber(b, L"DrawFocusRectangle"), 0);
    EXPECT_EQ(getNumber(b, L"Enabled"), 0);
    EXPECT_EQ(getNumber(b, L"Value"), 2);
    EXPECT_EQ(getNumber(b, L"Alignment"), 1);
    EXPECT_EQ(getNumber(b, L"YOffset"), 7);
}

TEST_F(CheckBoxPersistenceTest, ASaveStopsAtTheFirstErrorOfTheBag) {
    auto b = placeConfigured();
    ASSERT_TRUE(b);
    auto bag = MemoryPropertyBag::create();
    bag->failWrite(L"Caption", STG_E_MEDIUMFULL);
    EXPECT_EQ(saveToBag(b.site->control(), bag.Get()), STG_E_MEDIUMFULL);
    ASSERT_FALSE(bag->writes().empty());
    EXPECT_EQ(bag->writes().back().name, L"BackColor");
    EXPECT_FALSE(bag->has(L"NuToolTipText"));
}

} // namespace
} // namespace pkw::test
