// EffectSet: every property keeps what it is given, apart from every other,
// objects are kept or owned as they should be, and wrong types change nothing.
#include "globals_support.h"

#include "siblings/globals/effect_settings.h"

#include <gtest/gtest.h>

#include <string>

namespace {

using namespace pkw::globals_test;
using pkw::Variant;
using pkw::globals::EffectSettingInfo;
using pkw::globals::kEffectSettings;
using pkw::globals::SettingType;

class GlobalsEffectSet : public OleTest {
protected:
    void SetUp() override {
        OleTest::SetUp();
        set_ = create<IEffectSet>(CLSID_EffectSet);
        ASSERT_TRUE(set_);
    }
    void TearDown() override {
        set_.Reset();
        OleTest::TearDown();
    }
    IDispatch* dispatch() { return set_.Get(); }

    ComPtr<IEffectSet> set_;
};

LONG asLong(const VARIANT& v) {
    Variant copy;
    if (FAILED(::VariantChangeType(&copy, const_cast<VARIANT*>(&v), 0, VT_I4))) return 0x7BADBAD;
    return copy.lVal;
}

// A value of the row's type that differs from every default, and from the
// values given to the other rows (index i makes it unique).
Variant distinctValue(const EffectSettingInfo& row, std::size_t i) {
    switch (row.type) {
    case SettingType::Int16:
        return Variant::fromI2(static_cast<SHORT>(1000 + i));
    case SettingType::Int32:
        return Variant::fromI4(static_cast<LONG>(100000 + i));
    case SettingType::Colour:
        return Variant::fromI4(static_cast<LONG>(0x010203 * (i + 1)) & 0xFFFFFF);
    case SettingType::Boolean:
        return Variant::fromBool(row.fresh.number == 0);
    case SettingType::Font:
        return Variant::fromDispatch(newFont(L"Arial", static_cast<LONG>(9 + i)).Get());
    case SettingType::Picture:
        return Variant::fromDispatch(pkw::test::bitmapPicture(2, 2, 0).Get());
    case SettingType::Text: {
        const std::wstring text =
            std::wstring(row.name) + L" with" + std::wstring(1, L'\0') + L"tail";
        Variant v;
        v.vt = VT_BSTR;
        v.bstrVal = ::SysAllocStringLen(text.data(), static_cast<UINT>(text.size()));
        return v;
    }
    case SettingType::Gradient:
        break;
    }
    return Variant();
}

// Whether what a property gives back is what it was given (a text with
// its embedded null, an object itself).
bool holds(const VARIANT& actual, const VARIANT& expected) {
    const auto text = [](const VARIANT& v) {
        return std::wstring_view(v.bstrVal, ::SysStringLen(v.bstrVal));
    };
    if (expected.vt == VT_DISPATCH)
        return actual.vt == VT_DISPATCH && sameObject(actual.pdispVal, expected.pdispVal);
    if (expected.vt == VT_BSTR) return actual.vt == VT_BSTR && text(actual) == text(expected);
    return asLong(actual) == asLong(expected);
}

// All values are set first and read afterwards, so two settings sharing
// storage would show.
TEST_F(GlobalsEffectSet, KeepsEveryValueSetByName) {
    std::vector<Variant> given(kEffectSettings.size());
    for (std::size_t i = 0; i < kEffectSettings.size(); ++i) {
        const auto& row = kEffectSettings[i];
        if (row.type == SettingType::Gradient) continue;
        given[i] = distinctValue(row, i);
        const std::wstring name(row.name);
        EXPECT_EQ(given[i].vt == VT_DISPATCH
                      ? pkw::host::putRefProperty(dispatch(), name.c_str(), given[i].pdispVal)
                      : pkw::host::putProperty(dispatch(), name.c_str(), given[i]),
                  S_OK)
            << name;
    }
    for (std::size_t i = 0; i < kEffectSettings.size(); ++i) {
        const auto& row = kEffectSettings[i];
        if (row.type == SettingType::Gradient) continue;
        const std::wstring name(row.name);
        Variant value;
        ASSERT_EQ(pkw::host::getProperty(dispatch(), name.c_str(), value), S_OK) << name;
        EXPECT_TRUE(holds(value, given[i])) << name;
    }
}

TEST_F(GlobalsEffectSet, EachSetOwnsItsFontsAndStopLists) {
    ComPtr<IEffectSet> other = create<IEffectSet>(CLSID_EffectSet);
    ASSERT_TRUE(other);
    ComPtr<IFontDisp> font, headerFont, otherFont;
    ASSERT_EQ(set_->get_Font(&font), S_OK);
    ASSERT_EQ(set_->get_HeaderFont(&headerFont), S_OK);
    ASSERT_EQ(other->get_Font(&otherFont), S_OK);
    EXPECT_FALSE(sameObject(font.Get(), headerFont.Get()));
    EXPECT_FALSE(sameObject(font.Get(), otherFont.Get()));

    ComPtr<IGradInfo> body, bodyAgain, text, otherBody;
    ASSERT_EQ(set_->get_BodyGradInfo(&body), S_OK);
    ASSERT_EQ(set_->get_BodyGradInfo(&bodyAgain), S_OK);
    ASSERT_EQ(set_->get_TextGradInfo(&text), S_OK);
    ASSERT_EQ(other->get_BodyGradInfo(&otherBody), S_OK);
    EXPECT_TRUE(sameObject(body.Get(), bodyAgain.Get())) << "one list per gradient";
    EXPECT_FALSE(sameObject(body.Get(), text.Get()));
    EXPECT_FALSE(sameObject(body.Get(), otherBody.Get()));
    ASSERT_EQ(body->put_Count(2), S_OK);
    LONG count = -1;
    bodyAgain->get_Count(&count);
    EXPECT_EQ(count, 2);
    text->get_Count(&count);
    EXPECT_EQ(count, 0);
}

// A refused value leaves the setting as it was.
TEST_F(GlobalsEffectSet, WrongTypesAreRefusedAndKeepTheOldValue) {
    ComPtr<IEffectSet> notAFont = create<IEffectSet>(CLSID_EffectSet);
    struct Case {
        const wchar_t* name;
        Variant value;
        WORD how;
        HRESULT expected;
    };
    const Case cases[] = {
        {L"Alpha", Variant::fromString(L"opaque"), DISPATCH_PROPERTYPUT, DISP_E_TYPEMISMATCH},
        {L"BorderColor", Variant::fromString(L"red"), DISPATCH_PROPERTYPUT, DISP_E_TYPEMISMATCH},
        {L"Font", Variant::fromDispatch(notAFont.Get()), DISPATCH_PROPERTYPUTREF,
         DISP_E_TYPEMISMATCH},
        {L"Image", Variant::fromDispatch(notAFont.Get()), DISPATCH_PROPERTYPUT,
         DISP_E_TYPEMISMATCH},
        {L"Alpha", Variant::fromI4(70000), DISPATCH_PROPERTYPUT, DISP_E_OVERFLOW},
        {L"BodyGradInfo", Variant::fromI4(1), DISPATCH_PROPERTYPUT, DISP_E_MEMBERNOTFOUND},
    };
    // Values the cases would overwrite, so a change shows.
    ASSERT_EQ(set_->put_Alpha(77), S_OK);
    ASSERT_EQ(set_->put_BorderColor(0x123456), S_OK);
    ComPtr<IPictureDisp> picture = pkw::test::bitmapPicture(2, 2, 0);
    ASSERT_EQ(set_->putref_Image(picture.Get()), S_OK);

    for (const Case& c : cases) {
        Variant before, after;
        ASSERT_EQ(pkw::host::getProperty(dispatch(), c.name, before), S_OK);
        EXPECT_EQ(c.how == DISPATCH_PROPERTYPUTREF
                      ? pkw::host::putRefProperty(dispatch(), c.name, c.value.pdispVal)
                      : pkw::host::putProperty(dispatch(), c.name, c.value),
                  c.expected)
            << c.name;
        ASSERT_EQ(pkw::host::getProperty(dispatch(), c.name, after), S_OK);
        ASSERT_EQ(after.vt, before.vt) << c.name;
        EXPECT_TRUE(holds(after, before)) << c.name;
    }
}

} // namespace
