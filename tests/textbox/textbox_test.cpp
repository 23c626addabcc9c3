// NuMText40 as the property pages use it: Unicode text in and out, typing
// with its key events and the delayed Change, and Locked.
#include "tests/textbox/textbox_fixture.h"

#include <gtest/gtest.h>

namespace pkw::test {
namespace {

// Greek, Cyrillic, CJK and a character outside the BMP (a surrogate pair):
// none of them is in the system's ANSI code page.
const std::wstring kWide = L"\u03A9mega \u0416 \u65E5\u672C \U0001F600";

TEST_F(TextBoxTest, TextKeepsCharactersOutsideTheAnsiCodePage) {
    const Placed box = placeTextBox();
    ASSERT_TRUE(box);
    ASSERT_TRUE(edit(box)) << "no edit window at run time";
    setText(box, kWide);
    EXPECT_EQ(text(box), kWide);
    EXPECT_EQ(box.site->events().count(L"Change"), 1u) << "a new text changes once, at once";
    VARIANT_BOOL dirty = VARIANT_TRUE;
    ASSERT_EQ(box.box->get_IsDirty(&dirty), S_OK);
    EXPECT_EQ(dirty, VARIANT_FALSE);

    setText(box, kWide);
    EXPECT_EQ(box.site->events().count(L"Change"), 1u) << "the same text again is no change";

    // The byte-array form that the bag stores, both ways.
    Variant bytes;
    ASSERT_EQ(box.box->UniToVar(Bstr(kWide).get(), bytes.put()), S_OK);
    EXPECT_EQ(bytes.vt, VT_ARRAY | VT_UI1);
    Bstr back;
    ASSERT_EQ(box.box->VarToUni(&bytes, back.put()), S_OK);
    EXPECT_EQ(back.str(), kWide);
}

TEST_F(TextBoxTest, DesignModeHasNoEditWindowAndOnlyStoresText) {
    form().setUserMode(false);
    const Placed box = placeTextBox();
    ASSERT_TRUE(box);
    EXPECT_EQ(edit(box), nullptr);
    setText(box, kWide);
    EXPECT_EQ(text(box), kWide);
    EXPECT_EQ(box.site->events().count(L"Change"), 0u);
}

TEST_F(TextBoxTest, TypingRaisesKeyPressAtOnceAndChangeOnTheTimer) {
    const Placed box = focusedTextBox();
    ASSERT_TRUE(box);
    setText(box, L"");
    box.site->events().clear();
    box.site->notifications().clear();

    // Sent, not posted: no message is pumped before the check, so a timer
    // cannot have run yet however slow the machine is.
    const HWND focus = ::GetFocus();
    ASSERT_NE(focus, nullptr);
    ::SendMessageW(focus, WM_CHAR, L'a', 1);
    EXPECT_EQ(box.site->events().names(), std::vector<std::wstring>{L"KeyPress"})
        << "Change waits for the timer";
    ASSERT_TRUE(changesReach(box, 1));
    EXPECT_EQ(text(box), L"a");
    EXPECT_EQ(box.site->notifications().count(L"Text"), 1u);

    // Ignored changes: the next change seen is the one typed after.
    ASSERT_EQ(box.box->put_IgnoreChangeEvent(VARIANT_TRUE), S_OK);
    ASSERT_TRUE(input::typeChar(L'b'));
    ASSERT_EQ(box.box->put_IgnoreChangeEvent(VARIANT_FALSE), S_OK);
    ASSERT_TRUE(input::typeChar(L'c'));
    ASSERT_TRUE(changesReach(box, 2));
    pumpPending();
    EXPECT_EQ(box.site->events().count(L"Change"), 2u);
    EXPECT_EQ(box.site->events().count(L"KeyPress"), 3u);
    EXPECT_EQ(text(box), L"abc");

    // A KeyPress handler that answers 0 swallows the character.
    box.site->events().on(L"KeyPress", [](EventCall& call) {
        if (call.value(0).iVal == L'x') pkw::ignore(call.set(L"KeyAscii", Variant::fromI2(0)));
    });
    ASSERT_TRUE(input::typeChar(L'x'));
    ASSERT_TRUE(input::typeChar(L'y'));
    ASSERT_TRUE(changesReach(box, 3));
    EXPECT_EQ(text(box), L"abcy");
}

TEST_F(TextBoxTest, LockedAllowsSelectionAndCopyButNoEditing) {
    const Placed box = focusedTextBox();
    ASSERT_TRUE(box);
    setText(box, L"locked text");
    ASSERT_EQ(box.box->put_Locked(VARIANT_TRUE), S_OK);
    box.site->events().clear();

    select(box, 0, 6);
    LONG length = 0;
    ASSERT_EQ(box.box->get_SelLength(&length), S_OK);
    EXPECT_EQ(length, 6);
    ASSERT_EQ(box.box->EMCopy(), S_OK);
    ASSERT_TRUE(::OpenClipboard(nullptr));
    const HANDLE data = ::GetClipboardData(CF_UNICODETEXT);
    const std::wstring copied = data ? static_cast<const wchar_t*>(::GlobalLock(data)) : L"";
    if (data) ::GlobalUnlock(data);
    ::CloseClipboard();
    EXPECT_EQ(copied, L"locked");

    ASSERT_TRUE(input::typeChar(L'z'));
    ASSERT_TRUE(input::pressKey(VK_DELETE));
    ASSERT_TRUE(input::keyDown(VK_SHIFT));
    ASSERT_TRUE(input::pressKey(VK_INSERT));
    ASSERT_TRUE(input::keyUp(VK_SHIFT));
    for (auto op : {&_NuMText40::EMCut, &_NuMText40::EMPaste, &_NuMText40::EMDelete})
        ASSERT_EQ((box.box.Get()->*op)(), S_OK);
    pumpPending();
    EXPECT_EQ(text(box), L"locked text");
    EXPECT_EQ(box.site->events().count(L"KeyPress"), 0u);
    EXPECT_EQ(box.site->events().count(L"Change"), 0u);

    // Unlocked, the same cut goes through and raises Change first.
    ASSERT_EQ(box.box->put_Locked(VARIANT_FALSE), S_OK);
    ASSERT_EQ(box.box->EMCut(), S_OK);
    EXPECT_EQ(text(box), L" text");
    EXPECT_EQ(box.site->events().count(L"Change"), 1u);
}

} // namespace
} // namespace pkw::test
