// NuMText40 as the property pages use it: Unicode text in and out, typing
// with its key events and the delayed Change, Locked, the limits its edit
// window keeps, its context menus and hover tracking.
#include "tests/textbox/textbox_fixture.h"

#include "common/win/unique_handle.h"
#include "host/message_spy.h"

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

TEST_F(TextBoxTest, TypingRaisesKeyEventsAtOnceAndChangeOnTheTimer) {
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

    // Delete makes no character message: the control itself must see the
    // key and ask for Change. (Held as a user holds it: the key coming up
    // asks for the position check in Change's place.)
    select(box, 0, 1);
    box.site->events().clear();
    ASSERT_TRUE(input::keyDown(VK_DELETE));
    EXPECT_TRUE(changesReach(box, 1));
    ASSERT_TRUE(input::keyUp(VK_DELETE));
    EXPECT_EQ(text(box), L"bcy");
    const std::vector<std::wstring> events = box.site->events().names();
    ASSERT_FALSE(events.empty());
    EXPECT_EQ(events.front(), L"KeyDown") << "at once, before Change";
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

TEST_F(TextBoxTest, MaxLengthAndPasswordCharHoldInEveryEditWindow) {
    auto bag = MemoryPropertyBag::create();
    bag->set(L"MaxLength", Variant::fromI2(3));
    bag->set(L"PasswordChar", Variant::fromString(L"*"));
    AddOptions options;
    options.init = AddOptions::Init::PropertyBag;
    options.bag = bag.Get();
    const Placed box = placeTextBox(options);
    ASSERT_TRUE(box);
    // A new alignment makes a new edit window: it gets both again.
    for (const LONG alignment : {0L, 1L}) {
        SCOPED_TRACE(testing::Message() << "alignment " << alignment);
        ASSERT_EQ(box.box->put_Alignment(alignment), S_OK);
        ASSERT_EQ(form().focus(*box.site.Get()), S_OK);
        ASSERT_TRUE(pumpUntil([&] { return ::GetFocus() == edit(box); }));
        setText(box, L"");
        for (const wchar_t c : std::wstring(L"abcd"))
            ASSERT_TRUE(input::typeChar(c));
        pumpPending();
        EXPECT_EQ(text(box), L"abc");
        EXPECT_EQ(::SendMessageW(edit(box), EM_GETPASSWORDCHAR, 0, 0), L'*');
    }
}

// Counts the menus that open on this thread and closes each as soon as its
// loop waits for the user.
class MenuWatch {
public:
    MenuWatch()
        : hook_(::SetWindowsHookExW(WH_CALLWNDPROC, &hook, nullptr, ::GetCurrentThreadId())) {
        s_opened = 0;
    }
    int opened() const { return s_opened; }

private:
    static LRESULT CALLBACK hook(int code, WPARAM wParam, LPARAM lParam) {
        const auto* sent = reinterpret_cast<const CWPSTRUCT*>(lParam);
        if (code == HC_ACTION && sent->message == WM_ENTERMENULOOP) ++s_opened;
        if (code == HC_ACTION && sent->message == WM_ENTERIDLE && sent->wParam == MSGF_MENU)
            ::EndMenu();
        return ::CallNextHookEx(nullptr, code, wParam, lParam);
    }
    static inline int s_opened = 0;
    UniqueHandle<HHOOK, &::UnhookWindowsHookEx> hook_;
};

TEST_F(TextBoxTest, DisableContextMenuLeavesTheRightButtonWithoutAMenu) {
    const Placed box = focusedTextBox();
    ASSERT_TRUE(box);
    struct Case {
        bool locked, disabled;
        int menus;
    };
    // Locked, the control shows its own menu (the watch sees menus); the
    // edit window's own one comes with the right button unlocked.
    const Case cases[] = {{true, false, 1}, {true, true, 0}, {false, true, 0}};
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "locked " << c.locked << ", disabled " << c.disabled);
        ASSERT_EQ(box.box->put_Locked(c.locked ? VARIANT_TRUE : VARIANT_FALSE), S_OK);
        ASSERT_EQ(box.box->put_DisableContextMenu(c.disabled ? VARIANT_TRUE : VARIANT_FALSE), S_OK);
        const MenuWatch menus;
        ASSERT_TRUE(input::click(*box.site.Get(), {20, 10}, input::Button::Right));
        pumpPending();
        EXPECT_EQ(menus.opened(), c.menus);
    }
}

TEST_F(TextBoxTest, HoveringRunsTheTimerOnlyUntilTheFirstTickOutside) {
    const Placed box = placeTextBox();
    ASSERT_TRUE(box);
    MessageSpy spy(box.site->window(), {WM_TIMER});
    ASSERT_TRUE(input::moveTo(*box.site.Get(), {20, 10}));
    ASSERT_TRUE(pumpUntil([&] { return spy.count(WM_TIMER) >= 2; })) << "no hover timer";
    spy.clear();
    ASSERT_TRUE(input::moveOutside(*box.site.Get()));
    ASSERT_TRUE(pumpUntil([&] { return spy.count(WM_TIMER) > 0; }));
    pumpTicks(5);
    EXPECT_EQ(spy.count(WM_TIMER), 1u) << "the hover timer kept running";
}

} // namespace
} // namespace pkw::test
