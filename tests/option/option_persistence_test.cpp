// The option button's settings through the container's property bag: its
// own keys and every shared one, and loading that leaves a group exactly as
// it was saved.
#include "tests/option/option_fixture.h"

#include <vector>

namespace pkw::test {
namespace {

struct Setting {
    const wchar_t* name;
    Variant value; // none of them a default
};

std::vector<Setting> Settings() {
    return {
        {L"Value", Variant::fromBool(true)},
        {L"GroupID", Variant::fromI2(3)},
        {L"Grouped", Variant::fromBool(true)},
        {L"ValueSetClick", Variant::fromBool(true)},
        {L"Caption", Variant::fromString(L"Größe \u0416")},
        {L"NuToolTipText", Variant::fromString(L"tip")},
        {L"Alignment", Variant::fromI4(1)},
        {L"BackStyle", Variant::fromI4(0)},
        {L"BackColor", Variant::fromI4(0x00336699)},
        {L"ForeColor", Variant::fromI4(0x00112233)},
        {L"DisabledForeColor", Variant::fromI4(0x00445566)},
        {L"DrawFocusRectangle", Variant::fromBool(false)},
        {L"Enabled", Variant::fromBool(false)},
        {L"MousePointer", Variant::fromI2(2)},
        {L"TipPreTimer", Variant::fromR4(1.5f)},
        {L"TipAnimateSteps", Variant::fromI2(9)},
    };
}

// Two values are the same when they read the same as text.
std::wstring AsText(const VARIANT& v) {
    Variant text;
    if (FAILED(::VariantChangeType(&text, const_cast<VARIANT*>(&v), VARIANT_ALPHABOOL, VT_BSTR)))
        return L"?";
    return std::wstring(text.bstrVal, ::SysStringLen(text.bstrVal));
}

class OptionPersistenceTest : public OptionTest {};

// Through the bag; a stream goes through the same key routines (the
// plumbing's own tests take it both ways).
TEST_F(OptionPersistenceTest, SettingsSurviveABag) {
    // By ProgID: the class is in the library's class table.
    ComPtr<Site> saved = place(L"zelPickwell40.NuOption40", L"Saved", Row(0));
    ASSERT_TRUE(saved);
    for (const Setting& s : Settings())
        put(*saved.Get(), s.name, s.value);

    auto bag = MemoryPropertyBag::create();
    ASSERT_HRESULT_SUCCEEDED(saveToBag(saved->control(), bag.Get()));
    Variant value;
    ASSERT_HRESULT_SUCCEEDED(bag->get(L"Value", value));
    EXPECT_EQ(value.vt, VT_BOOL);

    AddOptions fromBag;
    fromBag.init = AddOptions::Init::PropertyBag;
    fromBag.bag = bag.Get();
    ComPtr<Site> loaded = placeOption(L"Loaded", 1, fromBag);
    ASSERT_TRUE(loaded);
    for (const Setting& s : Settings())
        EXPECT_EQ(AsText(get(*loaded.Get(), s.name)), AsText(s.value)) << narrow(s.name);
    // Loading runs no group handling and raises no event of its own.
    EXPECT_EQ(loaded->events().count(L"Click"), 0u);
    EXPECT_EQ(loaded->events().count(L"BeforeValueChanged"), 0u);
}

TEST_F(OptionPersistenceTest, TwoSelectedMembersOfAGroupBothLoadSelected) {
    auto bag = MemoryPropertyBag::create();
    bag->set(L"Value", Variant::fromBool(true));
    bag->set(L"GroupID", Variant::fromI2(1));
    bag->set(L"Grouped", Variant::fromBool(true));
    AddOptions options;
    options.init = AddOptions::Init::PropertyBag;
    options.bag = bag.Get();
    ComPtr<Site> first = placeOption(L"First", 0, options);
    ComPtr<Site> second = placeOption(L"Second", 1, options);
    ASSERT_TRUE(first && second);
    EXPECT_TRUE(isTrue(*first.Get(), L"Value"));
    EXPECT_TRUE(isTrue(*second.Get(), L"Value"));
    EXPECT_EQ(first->notifications().count(L"Value"), 0u);
}

} // namespace
} // namespace pkw::test
