// Properties and ambients set from text, as the host's command line does:
// the text becomes the type the property declares, or nothing changes.
#include "host/container_test.h"
#include "host/files.h"
#include "host/property_text.h"
#include "host/property_types.h"
#include "tests/host/test_pictures.h"

#include <olectl.h>

#include <gtest/gtest.h>

namespace pkw::test {
namespace {

constexpr wchar_t kCheckBox[] = L"zelPickwell40.NuCheckBox40";

class PropertyTextTest : public ContainerTest {
protected:
    void SetUp() override {
        ContainerTest::SetUp();
        box_ = placeFromLibrary(kCheckBox, L"Check1", {10, 10, 130, 34});
        ASSERT_TRUE(box_);
        types_ = dispatchTypeInfo(box_->dispatch());
        ASSERT_TRUE(types_);
    }

    HRESULT set(const wchar_t* name, const std::wstring& text) {
        std::wstring why;
        return putPropertyText(box_->extender(), types_.Get(), name, text, why);
    }
    Variant get(const wchar_t* name, VARTYPE as) {
        Variant value, converted;
        EXPECT_HRESULT_SUCCEEDED(box_->get(name, value)) << narrow(name);
        if (as == VT_EMPTY) return value;
        EXPECT_HRESULT_SUCCEEDED(::VariantChangeType(&converted, &value, 0, as)) << narrow(name);
        return converted;
    }

    ComPtr<Site> box_;
    ComPtr<ITypeInfo> types_;
};

TEST_F(PropertyTextTest, TextBecomesTheTypeThePropertyDeclares) {
    struct Case {
        const wchar_t* name;
        const wchar_t* text;
        LONG number; // read back as a 32-bit number
    };
    const Case numbers[] = {
        {L"Value", L"2", 2},
        {L"Value", L"nuChecked", 1}, // an enumeration's member by name
        {L"ForeColor", L"&H8000000F", static_cast<LONG>(0x8000000F)},
        {L"ForeColor", L"0x00FF8040", 0x00FF8040},
        {L"Enabled", L"False", 0},
        {L"Enabled", L"true", -1},
        {L"Width", L"1800", 1800}, // the extender's own, in twips
    };
    for (const Case& c : numbers) {
        SCOPED_TRACE(narrow(c.name) + " = " + narrow(c.text));
        ASSERT_HRESULT_SUCCEEDED(set(c.name, c.text));
        EXPECT_EQ(get(c.name, VT_I4).lVal, c.number);
    }
    ASSERT_HRESULT_SUCCEEDED(set(L"Caption", L"Hello, world"));
    EXPECT_STREQ(get(L"Caption", VT_BSTR).bstrVal, L"Hello, world");

    ASSERT_HRESULT_SUCCEEDED(set(L"Font", L"name=\"Tahoma\" size=12 weight=700"));
    ComPtr<IFont> font;
    ASSERT_HRESULT_SUCCEEDED(get(L"Font", VT_EMPTY).pdispVal->QueryInterface(IID_PPV_ARGS(&font)));
    BOOL bold = FALSE;
    font->get_Bold(&bold);
    EXPECT_TRUE(bold);

    wchar_t folder[MAX_PATH] = {};
    ::GetTempPathW(MAX_PATH, folder);
    const std::wstring path = std::wstring(folder) + L"pickwell-host-picture.bmp";
    const std::vector<BYTE> bmp = bitmapFile(8, 8, RGB(255, 0, 0));
    ASSERT_HRESULT_SUCCEEDED(
        writeFile(path, {reinterpret_cast<const char*>(bmp.data()), bmp.size()}));
    const HRESULT picture = set(L"Picture", path);
    ::DeleteFileW(path.c_str());
    ASSERT_HRESULT_SUCCEEDED(picture);
    EXPECT_NE(get(L"Picture", VT_EMPTY).pdispVal, nullptr);
    ASSERT_HRESULT_SUCCEEDED(set(L"Picture", L"Nothing"));
    EXPECT_EQ(get(L"Picture", VT_EMPTY).pdispVal, nullptr);
}

TEST_F(PropertyTextTest, TextThatIsNoValueOfTheTypeChangesNothing) {
    ASSERT_HRESULT_SUCCEEDED(set(L"Value", L"1"));
    ASSERT_HRESULT_SUCCEEDED(set(L"ForeColor", L"255"));
    EXPECT_EQ(set(L"Value", L"checked"), DISP_E_TYPEMISMATCH);
    EXPECT_EQ(set(L"Value", L"1.5"), DISP_E_TYPEMISMATCH);
    EXPECT_EQ(set(L"ForeColor", L"0x100000000"), DISP_E_TYPEMISMATCH);
    EXPECT_EQ(set(L"Font", L"size=12"), DISP_E_TYPEMISMATCH);
    EXPECT_EQ(set(L"Picture", L"no-such-picture.bmp"), DISP_E_TYPEMISMATCH);
    EXPECT_EQ(set(L"NoSuchProperty", L"1"), DISP_E_UNKNOWNNAME);
    EXPECT_EQ(get(L"Value", VT_I4).lVal, 1);
    EXPECT_EQ(get(L"ForeColor", VT_I4).lVal, 255);
}

// At design time (UserMode False) a wide caption reads "(Unicode Text)".
TEST_F(PropertyTextTest, AmbientsAreSetByNameAndReachTheControl) {
    ASSERT_HRESULT_SUCCEEDED(box_->put(L"UniCaption", Variant::fromString(L"\u0141\u00F3d\u017A")));
    std::wstring why;
    ASSERT_HRESULT_SUCCEEDED(setAmbientText(form(), L"usermode", L"0", why));
    EXPECT_STREQ(get(L"Caption", VT_BSTR).bstrVal, L"(Unicode Text)");
    ASSERT_HRESULT_SUCCEEDED(setAmbientText(form(), L"UserMode", L"True", why));
    EXPECT_STREQ(get(L"Caption", VT_BSTR).bstrVal, L"\u0141\u00F3d\u017A");
    EXPECT_EQ(setAmbientText(form(), L"UserMode", L"maybe", why), DISP_E_TYPEMISMATCH);
    EXPECT_EQ(setAmbientText(form(), L"NoSuchAmbient", L"1", why), DISP_E_UNKNOWNNAME);
}

} // namespace
} // namespace pkw::test
