// The button's settings in the container's property bag: written in their
// order without the defaults, read back whole, and a bag that holds the
// wrong kind of value fails the load without harm.
#include "tests/button/button_fixture.h"

#include "common/com/bstr.h"
#include "host/font_text.h"
#include "tests/host/test_pictures.h"

#include <olectl.h>

namespace pkw::test {
namespace {

using Names = std::vector<std::wstring>;

class ButtonPersistenceTest : public ButtonTest {};

TEST_F(ButtonPersistenceTest, ANewButtonWritesOnlyWhatDiffersFromTheDefaults) {
    PlacedButton b = placeButton();
    ASSERT_TRUE(b);
    const ComPtr<MemoryPropertyBag> bag = MemoryPropertyBag::create();
    ASSERT_EQ(saveToBag(b.site->control(), bag.Get()), S_OK);
    // The caption is the site's name; a new button keeps an empty hover
    // picture, and its own font object.
    EXPECT_EQ(bag->names(), (Names{L"Caption", L"PictureHover", L"Font"}));
}

TEST_F(ButtonPersistenceTest, EverySettingComesBackInWriteOrder) {
    const ComPtr<IPictureDisp> icon = iconPicture();
    const ComPtr<MemoryPropertyBag> stored = MemoryPropertyBag::create();
    const std::pair<const wchar_t*, Variant> settings[] = {
        {L"ButtonStyle", Variant::fromI4(2)},
        {L"Picture", Variant::fromDispatch(icon.Get())},
        {L"PictureDisabled", Variant::fromDispatch(icon.Get())},
        {L"Enabled", Variant::fromBool(false)},
        {L"BackColor", Variant::fromI4(0x00FF00)},
        {L"ForeColor", Variant::fromI4(0x0000FF)},
        {L"DisabledForeColor", Variant::fromI4(0x808080)},
        {L"BackStyle", Variant::fromI4(0)},
        {L"NuTheme", Variant::fromI2(2)},
        {L"TipText", Variant::fromString(L"tip")},
        {L"Caption", Variant::fromString(L"&Apply")},
    };
    for (const auto& [name, value] : settings)
        ASSERT_EQ(stored->set(name, value), S_OK);
    PlacedButton b = loadButton(stored.Get());
    ASSERT_TRUE(b);

    const ComPtr<MemoryPropertyBag> saved = MemoryPropertyBag::create();
    ASSERT_EQ(saveToBag(b.site->control(), saved.Get()), S_OK);
    EXPECT_EQ(saved->names(), (Names{L"Caption", L"ButtonStyle", L"Picture", L"PictureDisabled",
                                     L"Enabled", L"Font", L"BackColor", L"ForeColor",
                                     L"DisabledForeColor", L"BackStyle", L"NuTheme", L"TipText"}));
    for (const auto& [name, value] : settings) {
        Variant again;
        ASSERT_EQ(saved->get(name, again), S_OK) << narrow(name);
        if (value.vt == VT_DISPATCH) {
            EXPECT_EQ(again.vt, VT_DISPATCH) << narrow(name);
            continue;
        }
        Variant expected;
        ASSERT_EQ(::VariantChangeType(&expected, &again, 0, value.vt), S_OK) << narrow(name);
        EXPECT_EQ(::VarCmp(&expected, const_cast<Variant*>(&value), LOCALE_USER_DEFAULT, 0),
                  static_cast<HRESULT>(VARCMP_EQ))
            << narrow(name);
    }
    Bstr caption;
    ASSERT_EQ(b.button->get_Caption(caption.put()), S_OK);
    EXPECT_EQ(caption.str(), L"&Apply");
    EXPECT_EQ(b.site->controlInfo().cAccel, 2) << "the access key of the caption";
}

TEST_F(ButtonPersistenceTest, TheFontIsCopiedIntoTheButtonsOwnObject) {
    PlacedButton b = placeButton();
    ASSERT_TRUE(b);
    const ComPtr<IFontDisp> mine = makeFont(L"Tahoma", 120000, true, true);
    ASSERT_EQ(b.button->putref_Font(mine.Get()), S_OK);
    ComPtr<IFontDisp> kept;
    ASSERT_EQ(b.button->get_Font(&kept), S_OK);
    EXPECT_NE(kept.Get(), mine.Get());
    std::wstring given, copied;
    ASSERT_EQ(describeFont(mine.Get(), given), S_OK);
    ASSERT_EQ(describeFont(kept.Get(), copied), S_OK);
    EXPECT_EQ(copied, given);
}

TEST_F(ButtonPersistenceTest, AValueOfTheWrongKindFailsTheLoad) {
    const ComPtr<IPictureDisp> icon = iconPicture();
    struct Case {
        const char* name;
        const wchar_t* key;
        Variant value;
    };
    const Case cases[] = {
        {"text for a number", L"ButtonStyle", Variant::fromString(L"two")},
        {"an object for a colour", L"BackColor", Variant::fromDispatch(icon.Get())},
        {"a picture for the font", L"Font", Variant::fromDispatch(icon.Get())},
        {"a number for a picture", L"Picture", Variant::fromI4(7)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const ComPtr<MemoryPropertyBag> bag = MemoryPropertyBag::create();
        ASSERT_EQ(bag->set(c.key, c.value), S_OK);
        ComPtr<IUnknown> control;
        ASSERT_EQ(createFromDll(besideProgram(kLibraryFile), CLSID_BTN, control), S_OK);
        EXPECT_TRUE(FAILED(loadFromBag(control.Get(), bag.Get())));
    }
}

} // namespace
} // namespace pkw::test
