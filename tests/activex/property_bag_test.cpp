// The control's view of a property bag (defaults on both sides) and the
// in-memory bag behind the stream persistence.
#include "activex/memory_property_bag.h"
#include "activex/property_bag.h"
#include "probe_test.h"

#include <gtest/gtest.h>

#include <vector>

namespace pkw::test {
namespace {

Variant real(double d) {
    Variant v;
    v.vt = VT_R8;
    v.dblVal = d;
    return v;
}

Variant nullString() {
    Variant v;
    v.vt = VT_BSTR;
    v.bstrVal = nullptr;
    return v;
}

Variant nullObject() {
    Variant v;
    v.vt = VT_DISPATCH;
    v.pdispVal = nullptr;
    return v;
}

Variant ofType(VARTYPE vt) {
    Variant v;
    v.vt = vt;
    return v;
}

TEST(BagTest, ValuesEqualAcrossTypesAsTheDefaultRuleNeeds) {
    ComPtr<IFontDisp> fontA = makeFont(L"Arial", 100000);
    ComPtr<IFontDisp> fontB = makeFont(L"Arial", 100000);
    ComPtr<IFont> fontAOther;
    fontA.As(&fontAOther);
    short five = 5;
    Variant byRef;
    byRef.vt = VT_I2 | VT_BYREF;
    byRef.piVal = &five;

    struct Case {
        const char* what;
        Variant a, b;
        bool equal;
    };
    const Case cases[] = {
        {"I2 and I4 by value", Variant::fromI2(5), Variant::fromI4(5), true},
        {"integer and real", Variant::fromI2(5), real(5.0), true},
        {"single and double", Variant::fromR4(0.5f), real(0.5), true},
        {"True and -1", Variant::fromBool(true), Variant::fromI2(-1), true},
        {"real and integer differ", real(0.5), Variant::fromI4(0), false},
        {"text case matters", Variant::fromString(L"abc"), Variant::fromString(L"ABC"), false},
        {"empty and null text", Variant::fromString(L""), nullString(), true},
        {"text is not a number", Variant::fromString(L"5"), Variant::fromI4(5), false},
        {"shorter bytes", bytes({1, 2, 3}), bytes({1, 2}), false},
        {"three zero bytes and other", bytes({0, 0, 0}), bytes({0, 0, 1}), false},
        {"bytes and text", bytes({97, 0}), Variant::fromString(L"a"), false},
        {"empty and no object", Variant(), nullObject(), true},
        {"empty is not zero", Variant(), Variant::fromI4(0), false},
        {"one object, two interfaces", Variant::fromDispatch(fontA.Get()),
         Variant::fromUnknown(fontAOther.Get()), true},
        {"two equal-looking objects", Variant::fromDispatch(fontA.Get()),
         Variant::fromDispatch(fontB.Get()), false},
        {"by reference", byRef, Variant::fromI4(5), true},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(ax::ValuesEqual(c.a, c.b), c.equal) << c.what;
        EXPECT_EQ(ax::ValuesEqual(c.b, c.a), c.equal) << c.what << " (swapped)";
    }
}

TEST(BagTest, WriteLeavesNoEntryForADefaultAndReadSuppliesIt) {
    ComPtr<ax::MemoryPropertyBag> store = ax::MemoryPropertyBag::create();
    ax::PropertyBag bag(store.Get(), nullptr);

    EXPECT_EQ(bag.write(L"Alpha", Variant::fromI2(255), Variant::fromI2(255)), S_OK);
    EXPECT_EQ(bag.write(L"Blur", Variant::fromI4(3), Variant::fromI2(0)), S_OK);
    EXPECT_EQ(bag.write(L"Caption", bytes({0, 0, 0}), bytes({0, 0, 0})), S_OK);
    ASSERT_EQ(store->entries().size(), 1u);
    EXPECT_EQ(store->entries()[0].name, L"Blur");

    Variant v;
    EXPECT_EQ(bag.read(L"Alpha", Variant::fromI2(255), v), S_FALSE);
    EXPECT_EQ(v.vt, VT_I2);
    EXPECT_EQ(v.iVal, 255);
    // A stored value comes back as stored, whatever the default's type.
    EXPECT_EQ(bag.read(L"Blur", Variant::fromI2(0), v), S_OK);
    EXPECT_EQ(v.vt, VT_I4);
    EXPECT_EQ(v.lVal, 3);
    // No bag at all still reads defaults.
    ax::PropertyBag none(nullptr, nullptr);
    EXPECT_EQ(none.read(L"Blur", Variant::fromString(L"x"), v), S_FALSE);
    EXPECT_EQ(v.vt, VT_BSTR);
    EXPECT_EQ(none.write(L"Blur", Variant::fromI4(1), Variant()), E_POINTER);
}

TEST(BagTest, MemoryBagMatchesNamesWithoutCaseAndKeepsTheLastWrite) {
    ComPtr<ax::MemoryPropertyBag> store = ax::MemoryPropertyBag::create();
    Variant v = Variant::fromI4(1);
    ASSERT_EQ(store->Write(L"TIP:HeaderAlpha", &v), S_OK);
    v = Variant::fromString(L"second");
    ASSERT_EQ(store->Write(L"Caption", &v), S_OK);
    v = Variant::fromI4(2);
    ASSERT_EQ(store->Write(L"tip:headeralpha", &v), S_OK);

    ASSERT_EQ(store->entries().size(), 2u);
    EXPECT_EQ(store->entries()[0].name, L"TIP:HeaderAlpha"); // first write's place and name

    Variant out;
    ASSERT_EQ(store->Read(L"TIP:HEADERALPHA", &out, nullptr), S_OK);
    EXPECT_EQ(out.vt, VT_I4);
    EXPECT_EQ(out.lVal, 2);

    // A requested type is converted; an impossible one fails.
    Variant asText = ofType(VT_BSTR);
    ASSERT_EQ(store->Read(L"tip:HeaderAlpha", &asText, nullptr), S_OK);
    EXPECT_STREQ(asText.bstrVal, L"2");
    Variant asNumber = ofType(VT_I4);
    EXPECT_TRUE(FAILED(store->Read(L"Caption", &asNumber, nullptr)));

    Variant missing;
    EXPECT_EQ(store->Read(L"Nothing", &missing, nullptr), E_INVALIDARG);
    EXPECT_EQ(store->Read(nullptr, &missing, nullptr), E_POINTER);
}

} // namespace
} // namespace pkw::test
