#include "tests/support/container_test.h"

#include "common/com/bstr.h"
#include "spy_control.h"

#include <olectl.h>

#include <gtest/gtest.h>

namespace pkw::test {
namespace {

Variant readAs(MemoryPropertyBag* bag, const wchar_t* name, VARTYPE requested, HRESULT& hr) {
    Variant v;
    v.vt = requested;
    hr = bag->Read(name, &v, nullptr);
    if (FAILED(hr)) v.vt = VT_EMPTY; // the caller's VARIANT held only a type
    return v;
}

HRESULT write(MemoryPropertyBag* bag, const wchar_t* name, Variant value) {
    return bag->Write(name, &value);
}

ComPtr<IFont> makeFont(const wchar_t* name, LONGLONG sizeCy, bool bold) {
    FONTDESC desc{sizeof(FONTDESC),
                  const_cast<LPOLESTR>(name),
                  {},
                  FW_NORMAL,
                  DEFAULT_CHARSET,
                  FALSE,
                  FALSE,
                  FALSE};
    desc.cySize.int64 = sizeCy;
    ComPtr<IFont> font;
    EXPECT_HRESULT_SUCCEEDED(::OleCreateFontIndirect(&desc, IID_PPV_ARGS(&font)));
    if (font) font->put_Bold(bold);
    return font;
}

class PropertyBagTest : public ::testing::Test {
protected:
    ComPtr<MemoryPropertyBag> bag = MemoryPropertyBag::create();
};

TEST_F(PropertyBagTest, NamesIgnoreCaseAndTheLastWriteWins) {
    ASSERT_HRESULT_SUCCEEDED(write(bag.Get(), L"Caption", Variant::fromString(L"one")));
    ASSERT_HRESULT_SUCCEEDED(write(bag.Get(), L"CAPTION", Variant::fromString(L"two")));
    ASSERT_HRESULT_SUCCEEDED(write(bag.Get(), L"caption", Variant::fromString(L"three")));
    HRESULT hr = E_FAIL;
    const Variant v = readAs(bag.Get(), L"cApTiOn", VT_EMPTY, hr);
    ASSERT_HRESULT_SUCCEEDED(hr);
    ASSERT_EQ(v.vt, VT_BSTR);
    EXPECT_STREQ(v.bstrVal, L"three");
    // One entry, spelled as first written; every write on record, in order.
    EXPECT_EQ(bag->names(), std::vector<std::wstring>{L"Caption"});
    ASSERT_EQ(bag->writes().size(), 3u);
    EXPECT_EQ(bag->writes()[1].name, L"CAPTION");
    EXPECT_STREQ(bag->writes()[0].value.bstrVal, L"one");
    EXPECT_STREQ(bag->writes()[2].value.bstrVal, L"three");
}

TEST_F(PropertyBagTest, RecordedWritesAreCopies) {
    Variant value = Variant::fromString(L"before");
    ASSERT_HRESULT_SUCCEEDED(bag->Write(L"Text", &value));
    ::SysFreeString(value.bstrVal);
    value.bstrVal = ::SysAllocString(L"after");
    EXPECT_STREQ(bag->writes().front().value.bstrVal, L"before");
    Variant stored;
    ASSERT_HRESULT_SUCCEEDED(bag->get(L"text", stored));
    EXPECT_STREQ(stored.bstrVal, L"before");
}

TEST_F(PropertyBagTest, ReadConvertsToTheRequestedType) {
    bag->set(L"Long", Variant::fromI4(300));
    bag->set(L"Digits", Variant::fromString(L"12"));
    bag->set(L"Word", Variant::fromString(L"abc"));
    bag->set(L"Flag", Variant::fromBool(true));
    bag->set(L"Big", Variant::fromI4(70000));
    struct Case {
        const wchar_t* name;
        VARTYPE requested;
        HRESULT hr;
        VARTYPE vt;
        LONG number; // as I4 when the read succeeds
    };
    const Case cases[] = {
        {L"Long", VT_EMPTY, S_OK, VT_I4, 300}, // as stored
        {L"Long", VT_I2, S_OK, VT_I2, 300},
        {L"Digits", VT_I4, S_OK, VT_I4, 12},
        {L"Flag", VT_I2, S_OK, VT_I2, -1},
        {L"Long", VT_BOOL, S_OK, VT_BOOL, -1},
        {L"Word", VT_I4, DISP_E_TYPEMISMATCH, VT_EMPTY, 0},
        {L"Big", VT_I2, DISP_E_OVERFLOW, VT_EMPTY, 0},
        {L"Missing", VT_I4, E_INVALIDARG, VT_EMPTY, 0},
        {L"Missing", VT_EMPTY, E_INVALIDARG, VT_EMPTY, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::Message() << narrow(c.name) << " as vt " << c.requested);
        HRESULT hr = S_OK;
        const Variant v = readAs(bag.Get(), c.name, c.requested, hr);
        EXPECT_EQ(hr, c.hr);
        EXPECT_EQ(v.vt, c.vt);
        if (SUCCEEDED(hr)) {
            Variant number;
            ASSERT_HRESULT_SUCCEEDED(
                ::VariantChangeType(&number, const_cast<Variant*>(&v), 0, VT_I4));
            EXPECT_EQ(number.lVal, c.number);
        }
    }
    // Every read is on record with what was asked and what it gave.
    ASSERT_EQ(bag->reads().size(), std::size(cases));
    EXPECT_EQ(bag->reads()[6].name, L"Big");
    EXPECT_EQ(bag->reads()[6].requested, VT_I2);
    EXPECT_EQ(bag->reads()[6].result, DISP_E_OVERFLOW);
}

TEST_F(PropertyBagTest, ByteArraysAreKeptByContent) {
    SAFEARRAYBOUND bound{3, 0};
    Variant bytes;
    bytes.vt = VT_ARRAY | VT_UI1;
    bytes.parray = ::SafeArrayCreate(VT_UI1, 1, &bound);
    static_cast<BYTE*>(bytes.parray->pvData)[0] = 0x61;
    ASSERT_HRESULT_SUCCEEDED(bag->Write(L"Text", &bytes));
    static_cast<BYTE*>(bytes.parray->pvData)[0] = 0x7A; // the writer's array, not the bag's
    HRESULT hr = E_FAIL;
    const Variant v = readAs(bag.Get(), L"Text", VT_ARRAY | VT_UI1, hr);
    ASSERT_HRESULT_SUCCEEDED(hr);
    ASSERT_EQ(v.vt, VT_ARRAY | VT_UI1);
    ASSERT_EQ(v.parray->rgsabound[0].cElements, 3u);
    EXPECT_EQ(static_cast<const BYTE*>(v.parray->pvData)[0], 0x61);
}

TEST_F(PropertyBagTest, InjectedFailuresReachTheCallerAndStoreNothing) {
    bag->set(L"Caption", Variant::fromString(L"kept"));
    bag->failRead(L"caption", E_FAIL);
    bag->failWrite(L"*", STG_E_ACCESSDENIED);
    HRESULT hr = S_OK;
    readAs(bag.Get(), L"Caption", VT_BSTR, hr);
    EXPECT_EQ(hr, E_FAIL);
    readAs(bag.Get(), L"Other", VT_BSTR, hr);
    EXPECT_EQ(hr, E_INVALIDARG); // only the named key fails
    EXPECT_EQ(write(bag.Get(), L"Caption", Variant::fromString(L"lost")), STG_E_ACCESSDENIED);
    EXPECT_TRUE(bag->writes().empty());

    bag->clearFailures();
    const Variant v = readAs(bag.Get(), L"Caption", VT_BSTR, hr);
    ASSERT_HRESULT_SUCCEEDED(hr);
    EXPECT_STREQ(v.bstrVal, L"kept");
}

TEST_F(PropertyBagTest, NullArgumentsAreRefused) {
    Variant v;
    EXPECT_EQ(bag->Read(nullptr, &v, nullptr), E_POINTER);
    EXPECT_EQ(bag->Read(L"x", nullptr, nullptr), E_POINTER);
    EXPECT_EQ(bag->Write(nullptr, &v), E_POINTER);
    EXPECT_EQ(bag->Write(L"x", nullptr), E_POINTER);
}

TEST_F(PropertyBagTest, FontsArePersistedAndReadBackAsNewObjects) {
    ComPtr<IFont> font = makeFont(L"Tahoma", 120000, true);
    ASSERT_TRUE(font);
    ASSERT_HRESULT_SUCCEEDED(write(bag.Get(), L"Font", Variant::fromUnknown(font.Get())));
    font->put_Bold(FALSE); // a later change of the writer's font is not in the bag

    HRESULT hr = E_FAIL;
    const Variant v = readAs(bag.Get(), L"Font", VT_DISPATCH, hr);
    ASSERT_HRESULT_SUCCEEDED(hr);
    ASSERT_EQ(v.vt, VT_DISPATCH);
    ComPtr<IFont> loaded;
    ASSERT_HRESULT_SUCCEEDED(v.pdispVal->QueryInterface(IID_PPV_ARGS(&loaded)));
    EXPECT_NE(loaded.Get(), font.Get());
    Bstr name;
    CY size{};
    BOOL bold = FALSE;
    loaded->get_Name(name.put());
    loaded->get_Size(&size);
    loaded->get_Bold(&bold);
    EXPECT_EQ(name.str(), L"Tahoma");
    EXPECT_EQ(size.int64, 120000);
    EXPECT_TRUE(bold);
}

TEST_F(PropertyBagTest, ObjectsAreKeptByReferenceWhenAsked) {
    auto byReference = MemoryPropertyBag::create(MemoryPropertyBag::Objects::Reference);
    ComPtr<IFont> font = makeFont(L"Tahoma", 80000, false);
    Variant value = Variant::fromUnknown(font.Get());
    ASSERT_HRESULT_SUCCEEDED(byReference->Write(L"Font", &value));
    Variant read;
    ASSERT_HRESULT_SUCCEEDED(byReference->Read(L"Font", &read, nullptr));
    ComPtr<IUnknown> identity;
    ASSERT_HRESULT_SUCCEEDED(read.punkVal->QueryInterface(IID_PPV_ARGS(&identity)));
    ComPtr<IUnknown> original;
    font.As(&original);
    EXPECT_EQ(identity.Get(), original.Get());
}

// What another container wrote (other spellings, everything as text) loads
// too: the bag matches names without case and converts on read.
TEST_F(PropertyBagTest, ForeignSpellingsAndTypesLoad) {
    bag->set(L"CAPTION", Variant::fromString(L"Foreign"));
    bag->set(L"groupid", Variant::fromString(L"7"));
    bag->set(L"value", Variant::fromString(L"True"));
    auto spy = makeCom<SpyControl>();
    ASSERT_HRESULT_SUCCEEDED(loadFromBag(spy->unknown(), bag.Get()));
    EXPECT_EQ(spy->caption, L"Foreign");
    EXPECT_EQ(spy->groupId, 7);
    EXPECT_TRUE(spy->value);
}

} // namespace
} // namespace pkw::test
