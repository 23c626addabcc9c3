#include "persistence/control_block.h"
#include "persistence/key_values.h"

#include "activex/property_bag.h"
#include "host/property_bag.h"

#include <olectl.h>

#include <gtest/gtest.h>

#include <map>
#include <set>
#include <string>
#include <vector>

namespace {

using pkw::Variant;
using pkw::host::MemoryPropertyBag;
using pkw::persist::Key;

// Objects by reference: a loaded object is the very one saved.
Microsoft::WRL::ComPtr<MemoryPropertyBag> NewBag() {
    return MemoryPropertyBag::create(MemoryPropertyBag::Objects::Reference);
}

// A control stand-in: typed values by key, and a log of loads.
class MapAccess final : public pkw::persist::KeyAccess {
public:
    std::map<Key, Variant> values;
    std::vector<Key> loads;
    std::set<Key> refuse;
    Microsoft::WRL::ComPtr<IFontDisp> font;

    Microsoft::WRL::ComPtr<IFontDisp> defaultFont() override { return font; }
    HRESULT load(Key key, const VARIANT& typed) override {
        if (refuse.count(key)) return E_INVALIDARG;
        loads.push_back(key);
        values[key] = Variant(typed);
        return S_OK;
    }
    HRESULT save(Key key, Variant& typed) override {
        if (refuse.count(key)) return E_INVALIDARG;
        auto it = values.find(key);
        if (it == values.end()) return E_UNEXPECTED;
        typed = it->second;
        return S_OK;
    }
};

Variant Str(const wchar_t* s) {
    return Variant::fromString(s);
}
Variant U4(ULONG v) {
    Variant r;
    r.vt = VT_UI4;
    r.ulVal = v;
    return r;
}
Variant R8(double v) {
    Variant r;
    r.vt = VT_R8;
    r.dblVal = v;
    return r;
}
double NumberOf(const VARIANT& v) {
    Variant d;
    if (FAILED(::VariantChangeType(&d, const_cast<VARIANT*>(&v), 0, VT_R8))) return -12345;
    return d.dblVal;
}

// Whatever a control writes it must also read, and the reverse: a key on
// one side only is lost on the next save or never restored.
TEST(ControlKeys, EachControlReadsWhatItWrites) {
    using namespace pkw::persist;
    auto asSet = [](std::initializer_list<std::span<const Key>> runs) {
        std::multiset<Key> keys;
        for (auto run : runs)
            keys.insert(run.begin(), run.end());
        return keys;
    };
    EXPECT_EQ(asSet({kCheckBoxControlReadOrder, kTipTimingReadOrder, kTextReadOrder}),
              asSet({kCheckBoxControlWriteOrder}));
    EXPECT_EQ(asSet({kOptionControlReadOrder, kTipTimingReadOrder, kTextReadOrder}),
              asSet({kOptionControlWriteOrder}));
}

struct ConversionCase {
    const char* what;
    Key key;
    Variant stored;
    HRESULT expected;
    VARTYPE typedType;
    double number;
};

TEST(KeyValues, StoredValuesConvertToTheKeyType) {
    const ConversionCase cases[] = {
        {"system colour as unsigned", Key::BackColor, U4(0x80000011), S_OK, VT_I4,
         static_cast<double>(LONG(0x80000011))},
        {"system colour as double", Key::BackColor, R8(2147483663.0), S_OK, VT_I4,
         static_cast<double>(LONG(0x8000000F))},
        {"colour from words", Key::ForeColor, Str(L"red"), DISP_E_TYPEMISMATCH, VT_EMPTY, 0},
        {"int16 overflow", Key::CheckValue, Variant::fromI4(70000), DISP_E_OVERFLOW, VT_EMPTY, 0},
        {"int16 from a numeric string", Key::CheckValue, Str(L"2"), S_OK, VT_I2, 2},
        {"Boolean from -1", Key::Enabled, Variant::fromI2(-1), S_OK, VT_BOOL, -1},
        {"single from int", Key::TipPreTimer, Variant::fromI4(3), S_OK, VT_R4, 3},
        {"int32 from a word", Key::Alignment, Str(L"left"), DISP_E_TYPEMISMATCH, VT_EMPTY, 0},
        {"object from a number", Key::Picture, Variant::fromI4(1), DISP_E_TYPEMISMATCH, VT_EMPTY,
         0},
        {"text from a string", Key::Caption, Str(L"abc"), DISP_E_TYPEMISMATCH, VT_EMPTY, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        Variant typed;
        EXPECT_EQ(pkw::persist::FromStored(c.key, c.stored, typed), c.expected);
        if (c.expected == S_OK) {
            EXPECT_EQ(typed.vt, c.typedType);
            EXPECT_EQ(NumberOf(typed), c.number);
        }
    }
}

TEST(KeyValues, TheDefaultTextIsOneNulCharacter) {
    // Three zero bytes: one U+0000, not a character and a half.
    Variant nul;
    ASSERT_EQ(pkw::persist::FromStored(Key::Caption,
                                       pkw::persist::DefaultValue(Key::Caption, nullptr), nul),
              S_OK);
    ASSERT_EQ(nul.vt, VT_BSTR);
    EXPECT_EQ(std::wstring(nul.bstrVal, ::SysStringLen(nul.bstrVal)), std::wstring(1, L'\0'));
}

TEST(ReadKeys, AnUnusableValueIsSkippedAndReadingGoesOn) {
    auto bag = NewBag();
    bag->set(L"value", Str(L"checked"));        // cannot become an int16
    bag->set(L"ALIGNMENT", Variant::fromI4(1)); // case does not matter to this bag
    bag->set(L"Enabled", Variant::fromBool(false));
    bag->set(L"ForeColor", Variant::fromI4(0x123456));
    MapAccess access;
    access.refuse = {Key::ForeColor}; // the control refuses this one
    const pkw::ax::PropertyBag view(bag.Get(), nullptr);
    pkw::persist::ReadKeys(view, pkw::persist::kCheckBoxControlReadOrder, access);
    EXPECT_EQ(access.values.count(Key::CheckValue), 0u);
    EXPECT_EQ(access.values.count(Key::ForeColor), 0u);
    EXPECT_EQ(NumberOf(access.values[Key::Alignment]), 1);
    EXPECT_EQ(NumberOf(access.values[Key::Enabled]), 0);
    // Everything after the skipped keys was still loaded.
    EXPECT_EQ(access.loads.back(), Key::YOffset);
}

TEST(WriteKeys, DefaultsLeaveNoEntryAndOrderIsKept) {
    MapAccess access;
    for (Key k : pkw::persist::kCheckBoxControlWriteOrder) {
        Variant typed;
        ASSERT_EQ(pkw::persist::FromStored(k, pkw::persist::DefaultValue(k, nullptr), typed), S_OK);
        access.values[k] = typed;
    }
    access.values[Key::Caption] = Str(L"Check1");
    access.values[Key::CheckValue] = Variant::fromI2(2);
    access.values[Key::ForeColor] = U4(0x80000012); // a typed value of another width
    auto bag = NewBag();
    const pkw::ax::PropertyBag view(bag.Get(), nullptr);
    ASSERT_EQ(pkw::persist::WriteKeys(view, pkw::persist::kCheckBoxControlWriteOrder, access),
              S_OK);
    std::vector<std::wstring> names;
    for (const auto& w : bag->writes())
        names.push_back(w.name);
    // Default text (three zero bytes) read as text no longer equals the
    // default, so both texts are always written.
    EXPECT_EQ(names,
              (std::vector<std::wstring>{L"Caption", L"ForeColor", L"Value", L"NuToolTipText"}));
    EXPECT_EQ(bag->writes()[1].value.vt, VT_I4);
    EXPECT_EQ(static_cast<ULONG>(bag->writes()[1].value.lVal), 0x80000012u);
    EXPECT_EQ(bag->writes()[2].value.vt, VT_I2);
}

TEST(WriteKeys, TheFirstFailureEndsTheSave) {
    struct Case {
        const char* what;
        std::wstring failWrite;
        std::set<Key> refuse;
        HRESULT expected;
        std::size_t writesBefore;
    };
    const Case cases[] = {
        {"bag refuses Alignment", L"Alignment", {}, STG_E_MEDIUMFULL, 1},
        {"control cannot give ForeColor", L"", {Key::ForeColor}, E_INVALIDARG, 3},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        MapAccess access;
        const Key keys[] = {Key::ValueSetClick, Key::Alignment, Key::BackColor, Key::ForeColor,
                            Key::YOffset};
        access.values[Key::ValueSetClick] = Variant::fromBool(true);
        access.values[Key::Alignment] = Variant::fromI4(1);
        access.values[Key::BackColor] = Variant::fromI4(0xFF);
        access.values[Key::ForeColor] = Variant::fromI4(0xFF00);
        access.values[Key::YOffset] = Variant::fromI4(3);
        access.refuse = c.refuse;
        auto bag = NewBag();
        if (!c.failWrite.empty()) bag->failWrite(c.failWrite, STG_E_MEDIUMFULL);
        const pkw::ax::PropertyBag view(bag.Get(), nullptr);
        EXPECT_EQ(pkw::persist::WriteKeys(view, keys, access), c.expected);
        EXPECT_EQ(bag->writes().size(), c.writesBefore);
    }
}

} // namespace
