// zelPropPage40.dll, the special-effects editor: the settings it reads from
// an effect set's type information, the texts it shows and reads, the
// working copy that keeps the sets untouched until OK, and the editor
// object driven through its window.
#include "common/com/variant.h"
#include "siblings/proppage/editor_state.h"
#include "siblings/proppage/setting_text.h"
#include "siblings/proppage/working_copy.h"
#include "tests/common/com_server/server_dll.h"
#include "tests/siblings/ole_test.h"

#include "zelGlobals40.h"
#include "zelPropPage40.h"

#include <commctrl.h>
#include <gtest/gtest.h>

#include <functional>
#include <string>

namespace pkw::proppage {
namespace {

using Microsoft::WRL::ComPtr;
using Kind = com::ValueType::Kind;

const test::ServerDll& Globals() {
    static const test::ServerDll dll(L"zelGlobals40.dll");
    return dll;
}

class EditorTest : public test::OleTest {
protected:
    void SetUp() override {
        OleTest::SetUp();
        set_ = Globals().create<IEffectSet>(CLSID_EffectSet);
        ASSERT_TRUE(set_);
        ASSERT_EQ(set_.As(&dispatch_), S_OK);
    }
    void TearDown() override {
        set_.Reset();
        dispatch_.Reset();
        OleTest::TearDown();
    }
    // The row of the first sheet with this setting's name.
    std::size_t rowOf(const WorkingCopy& copy, const wchar_t* name) {
        const auto& rows = copy.sheets().at(0).rows;
        for (std::size_t i = 0; i < rows.size(); ++i)
            if (rows[i].setting.name == name) return i;
        ADD_FAILURE() << "no row for the setting";
        return 0;
    }

    ComPtr<IEffectSet> set_;
    ComPtr<IDispatch> dispatch_;
};

TEST_F(EditorTest, SettingsComeFromTheSetsTypeInformationWithTheirKinds) {
    WorkingCopy copy;
    ASSERT_EQ(copy.addSet(L"Normal", dispatch_.Get()), S_OK);
    ASSERT_GT(copy.sheets()[0].rows.size(), 100u);
    const auto kindOf = [&](const wchar_t* name) { return copy.row(0, rowOf(copy, name)); };
    EXPECT_EQ(kindOf(L"BackColor").setting.type.kind, Kind::Colour);
    EXPECT_EQ(kindOf(L"Border").setting.type.vt, VT_BOOL);
    EXPECT_EQ(kindOf(L"Alpha").setting.type.vt, VT_I2);
    EXPECT_EQ(kindOf(L"HeaderText").setting.type.vt, VT_BSTR);
    EXPECT_EQ(kindOf(L"Font").setting.type.kind, Kind::Font);
    EXPECT_EQ(kindOf(L"Font").setting.putFlag, DISPATCH_PROPERTYPUTREF);
    EXPECT_TRUE(kindOf(L"Font").editable());
    // A stop list has no setter: shown, never typed.
    EXPECT_FALSE(kindOf(L"BodyGradInfo").editable());
    EXPECT_FALSE(kindOf(L"Image").editable());
}

TEST_F(EditorTest, EditsStayInTheCopyAndCommitWritesOnlyWhatChanged) {
    ASSERT_EQ(set_->put_BorderWidth(1), S_OK);
    WorkingCopy copy;
    ASSERT_EQ(copy.addSet(L"Normal", dispatch_.Get()), S_OK);
    std::wstring why;
    ASSERT_EQ(copy.setText(0, rowOf(copy, L"BackColor"), L"RGB(1, 2, 3)", why), EditResult::Stored);
    ASSERT_EQ(copy.setText(0, rowOf(copy, L"Border"), L"True", why), EditResult::Stored);
    EXPECT_TRUE(copy.changed());
    OLE_COLOR colour = 7;
    ASSERT_EQ(set_->get_BackColor(&colour), S_OK);
    EXPECT_EQ(colour, 0u) << "an edit reached the set before commit";

    // Someone else changes a setting the user left alone: commit keeps it.
    ASSERT_EQ(set_->put_BorderWidth(9), S_OK);
    ASSERT_EQ(copy.commit(), S_OK);
    ASSERT_EQ(set_->get_BackColor(&colour), S_OK);
    EXPECT_EQ(colour, static_cast<OLE_COLOR>(RGB(1, 2, 3)));
    VARIANT_BOOL border = VARIANT_FALSE;
    ASSERT_EQ(set_->get_Border(&border), S_OK);
    EXPECT_EQ(border, VARIANT_TRUE);
    SHORT width = 0;
    ASSERT_EQ(set_->get_BorderWidth(&width), S_OK);
    EXPECT_EQ(width, 9);
}

TEST_F(EditorTest, TypingBackTheOriginalValueIsNoChange) {
    WorkingCopy copy;
    ASSERT_EQ(copy.addSet(L"Normal", dispatch_.Get()), S_OK);
    const std::size_t font = rowOf(copy, L"Font");
    std::wstring why;
    ASSERT_EQ(copy.setText(0, font, copy.text(0, font), why), EditResult::Stored) << why;
    EXPECT_FALSE(copy.changed());
    ASSERT_EQ(copy.setText(0, font, L"name=\"Arial\" size=12", why), EditResult::Stored) << why;
    EXPECT_TRUE(copy.changed());
}

struct TextCase {
    const char* name;
    com::ValueType type;
    const wchar_t* text;
    bool valid;
    LONG bits; // the value read, when valid
};

const com::ValueType kColour{VT_UI4, Kind::Colour, nullptr};
const com::ValueType kShort{VT_I2, Kind::Plain, nullptr};
const com::ValueType kBool{VT_BOOL, Kind::Plain, nullptr};

const TextCase kTextCases[] = {
    {"ColourAsRgb", kColour, L" rgb(127, 157,185) ", true, 0xB99D7F},
    {"ColourAsHash", kColour, L"#7F9DB9", true, 0xB99D7F},
    {"SystemColour", kColour, L"System(15)", true, static_cast<LONG>(0x8000000F)},
    {"ColourAsOleColourNumber", kColour, L"&H8000000F", true, static_cast<LONG>(0x8000000F)},
    {"ColourPartAbove255", kColour, L"RGB(256, 0, 0)", false, 0},
    {"ColourWithTwoParts", kColour, L"RGB(1, 2)", false, 0},
    {"ColourWord", kColour, L"red", false, 0},
    {"ShortInRange", kShort, L"-32768", true, -32768},
    {"ShortOutOfRange", kShort, L"40000", false, 0},
    {"ShortWithTrailingText", kShort, L"12px", false, 0},
    {"BooleanTrueAnyCase", kBool, L"true", true, VARIANT_TRUE},
    {"BooleanNumberIsTrue", kBool, L"1", true, VARIANT_TRUE},
    {"BooleanFalse", kBool, L"False", true, VARIANT_FALSE},
    {"BooleanWord", kBool, L"maybe", false, 0},
};

class SettingTextTest : public ::testing::TestWithParam<TextCase> {};

TEST_P(SettingTextTest, ReadsWhatPeopleTypeAndShowsItBackTheSameWay) {
    const TextCase& c = GetParam();
    Variant value;
    std::wstring why;
    ASSERT_EQ(ParseSetting(c.type, c.text, value, why), c.valid);
    if (!c.valid) {
        EXPECT_FALSE(why.empty()) << "a refused text says why";
        return;
    }
    EXPECT_EQ(value.vt, c.type.vt);
    const LONG bits = value.vt == VT_I2     ? value.iVal
                      : value.vt == VT_BOOL ? value.boolVal
                                            : value.lVal;
    EXPECT_EQ(bits, c.bits);
    // What the editor shows reads back to the same value.
    Variant again;
    ASSERT_TRUE(ParseSetting(c.type, SettingText(c.type, value), again, why)) << why;
    EXPECT_EQ(SettingText(c.type, again), SettingText(c.type, value));
}

INSTANTIATE_TEST_SUITE_P(Texts, SettingTextTest, ::testing::ValuesIn(kTextCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(EditorTest, ABadTextBlocksOkUntilFixedOrAnotherSettingIsChosen) {
    WorkingCopy copy;
    ASSERT_EQ(copy.addSet(L"Normal", dispatch_.Get()), S_OK);
    EditorState state(copy);
    state.chooseRow(rowOf(copy, L"Alpha"));
    EXPECT_EQ(state.type(L"12x"), EditResult::Invalid);
    EXPECT_FALSE(state.canAccept());
    EXPECT_EQ(copy.text(0, rowOf(copy, L"Alpha")), L"0") << "a bad text changed the copy";
    EXPECT_EQ(state.type(L"128"), EditResult::Stored);
    EXPECT_TRUE(state.canAccept());
    EXPECT_EQ(state.type(L"x"), EditResult::Invalid);
    state.chooseRow(rowOf(copy, L"Border"));
    EXPECT_TRUE(state.canAccept());
    EXPECT_EQ(state.valueText(), L"False");
    EXPECT_TRUE(state.toggle(rowOf(copy, L"Border")));
    EXPECT_EQ(state.valueText(), L"True");
    EXPECT_FALSE(state.toggle(rowOf(copy, L"Alpha"))) << "only Booleans flip";
}

// --- The editor object, through its window ---------------------------------

const test::ServerDll& Editor() {
    static const test::ServerDll dll(L"zelPropPage40.dll");
    return dll;
}

// What the test does to the editor's window once it shows; run from a
// thread timer, which the dialog's own message loop dispatches.
std::function<void(HWND)> t_drive;
bool t_driven = false;
int t_ticksSinceDriven = 0;

BOOL CALLBACK FindDialog(HWND hwnd, LPARAM found) {
    wchar_t name[16] = {};
    ::GetClassNameW(hwnd, name, 16);
    if (std::wstring(name) != L"#32770" || !::IsWindowVisible(hwnd)) return TRUE;
    *reinterpret_cast<HWND*>(found) = hwnd;
    return FALSE;
}

void CALLBACK DriveWhenShown(HWND, UINT, UINT_PTR timer, DWORD) {
    HWND dialog = nullptr;
    ::EnumThreadWindows(::GetCurrentThreadId(), &FindDialog, reinterpret_cast<LPARAM>(&dialog));
    if (!dialog) return;
    if (!t_driven) {
        t_driven = true;
        t_drive(dialog);
        return;
    }
    // Still open long after the test closed it: a fault, which must fail
    // the test rather than hang it.
    if (++t_ticksSinceDriven == 250) {
        ADD_FAILURE() << "the editor did not close";
        ::KillTimer(nullptr, timer);
        ::EndDialog(dialog, IDCANCEL);
    }
}

// Chooses the setting by name and types into the value field.
void TypeSetting(HWND dialog, const wchar_t* name, const wchar_t* text) {
    HWND list = ::GetDlgItem(dialog, 1002);
    LVFINDINFOW find{};
    find.flags = LVFI_STRING;
    find.psz = name;
    const LRESULT index = ::SendMessageW(list, LVM_FINDITEMW, static_cast<WPARAM>(-1),
                                         reinterpret_cast<LPARAM>(&find));
    ASSERT_GE(index, 0);
    LVITEMW state{};
    state.stateMask = state.state = LVIS_SELECTED | LVIS_FOCUSED;
    ::SendMessageW(list, LVM_SETITEMSTATE, static_cast<WPARAM>(index),
                   reinterpret_cast<LPARAM>(&state));
    ::SetWindowTextW(::GetDlgItem(dialog, 1004), text);
}

class EditorWindowTest : public EditorTest {
protected:
    // InitTipProps on a one-set array while `drive` works the window.
    Variant runTip(std::function<void(HWND)> drive) {
        t_drive = std::move(drive);
        t_driven = false;
        t_ticksSinceDriven = 0;
        auto editor = Editor().create<_clsPropPage>(CLSID_clsPropPage);
        EXPECT_TRUE(editor);
        if (!editor) return {};
        SAFEARRAYBOUND bound{1, 0};
        Variant sets;
        sets.vt = VT_ARRAY | VT_DISPATCH;
        sets.parray = ::SafeArrayCreate(VT_DISPATCH, 1, &bound);
        LONG index = 0;
        ::SafeArrayPutElement(sets.parray, &index, dispatch_.Get());
        const UINT_PTR timer = ::SetTimer(nullptr, 0, 20, &DriveWhenShown);
        Variant cancelled;
        EXPECT_EQ(editor->InitTipProps(&sets, &cancelled), S_OK);
        ::KillTimer(nullptr, timer);
        EXPECT_TRUE(t_driven) << "the editor never showed its window";
        return cancelled;
    }
};

TEST_F(EditorWindowTest, OkWritesTheTypedValueAndAnswersFalse) {
    const Variant cancelled = runTip([](HWND dialog) {
        TypeSetting(dialog, L"BackColor", L"RGB(10, 20, 30)");
        ::SendMessageW(::GetDlgItem(dialog, IDOK), BM_CLICK, 0, 0);
    });
    ASSERT_EQ(cancelled.vt, VT_BOOL);
    EXPECT_EQ(cancelled.boolVal, VARIANT_FALSE);
    OLE_COLOR colour = 0;
    ASSERT_EQ(set_->get_BackColor(&colour), S_OK);
    EXPECT_EQ(colour, static_cast<OLE_COLOR>(RGB(10, 20, 30)));
}

TEST_F(EditorWindowTest, CancelLeavesTheSetAsItWasAndAnswersTrue) {
    const Variant cancelled = runTip([](HWND dialog) {
        TypeSetting(dialog, L"BackColor", L"RGB(10, 20, 30)");
        ::SendMessageW(::GetDlgItem(dialog, IDCANCEL), BM_CLICK, 0, 0);
    });
    ASSERT_EQ(cancelled.vt, VT_BOOL);
    EXPECT_EQ(cancelled.boolVal, VARIANT_TRUE);
    OLE_COLOR colour = 7;
    ASSERT_EQ(set_->get_BackColor(&colour), S_OK);
    EXPECT_EQ(colour, 0u);
}

} // namespace
} // namespace pkw::proppage
