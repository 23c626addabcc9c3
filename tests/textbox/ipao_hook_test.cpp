// The accelerator hook as the container meets it: the active object the
// text box puts in place of its own, which keys it takes, and what it
// leaves behind.
#include "tests/textbox/textbox_fixture.h"

#include <gtest/gtest.h>

namespace pkw::test {
namespace {

class IpaoHookTest : public TextBoxTest {
protected:
    // The record the box registered on its own window (GetProp: the
    // subclassing library keeps window properties there).
    static void* registered(const Placed& p) {
        LONG handle = 0;
        EXPECT_EQ(p.box->get_hWnd(&handle), S_OK);
        const HWND window = reinterpret_cast<HWND>(static_cast<LONG_PTR>(handle));
        const std::wstring name = L"m_IPAOHookStruct_ID:" + std::to_wstring(handle);
        return ::GetPropW(window, name.c_str());
    }

    // A key-down message for the edit window, as the form's loop offers it.
    static MSG keyDown(const Placed& p, UINT vk) {
        MSG msg{};
        msg.hwnd = edit(p);
        msg.message = WM_KEYDOWN;
        msg.wParam = vk;
        msg.lParam = 1;
        return msg;
    }
};

TEST_F(IpaoHookTest, TheContainersActiveObjectIsTheHookWithTheControlsIdentity) {
    const Placed box = focusedTextBox();
    ASSERT_TRUE(box);
    void* record = registered(box);
    ASSERT_NE(record, nullptr);
    IOleInPlaceActiveObject* active = form().activeObject();
    ASSERT_EQ(static_cast<void*>(active), record) << "the edit window's focus installs the hook";

    ComPtr<IOleInPlaceActiveObject> again;
    ASSERT_EQ(active->QueryInterface(IID_PPV_ARGS(&again)), S_OK);
    EXPECT_EQ(static_cast<void*>(again.Get()), record);
    ComPtr<IUnknown> identity, control;
    ASSERT_EQ(active->QueryInterface(IID_PPV_ARGS(&identity)), S_OK);
    ASSERT_EQ(box.box->QueryInterface(IID_PPV_ARGS(&control)), S_OK);
    EXPECT_EQ(identity.Get(), control.Get());
    ComPtr<IOleInPlaceActiveObject> real;
    ASSERT_EQ(control.As(&real), S_OK);
    EXPECT_NE(static_cast<void*>(real.Get()), record);
    HWND window = nullptr;
    EXPECT_EQ(active->GetWindow(&window), S_OK);
    EXPECT_EQ(window, box.site->window()) << "forwarded to the real object";
}

TEST_F(IpaoHookTest, NavigationKeysReachTheEditWindowOnceAndTabOnlyWhenTrapped) {
    const Placed box = focusedTextBox();
    ASSERT_TRUE(box);
    setText(box, L"abcdef");
    select(box, 3, 0);
    IOleInPlaceActiveObject* active = form().activeObject();
    ASSERT_TRUE(active);

    MSG left = keyDown(box, VK_LEFT);
    EXPECT_EQ(active->TranslateAccelerator(&left), S_OK)
        << "taken: the container does not dispatch it";
    LONG start = 0;
    ASSERT_EQ(box.box->get_SelStart(&start), S_OK);
    EXPECT_EQ(start, 2) << "one step left, exactly once";
    MSG home = keyDown(box, VK_HOME);
    EXPECT_EQ(active->TranslateAccelerator(&home), S_OK);
    ASSERT_EQ(box.box->get_SelStart(&start), S_OK);
    EXPECT_EQ(start, 0);

    MSG letter = keyDown(box, 'A');
    EXPECT_EQ(active->TranslateAccelerator(&letter), S_FALSE) << "the real object's answer";
    MSG tab = keyDown(box, VK_TAB);
    EXPECT_EQ(active->TranslateAccelerator(&tab), S_FALSE) << "Tab moves the focus";
    EXPECT_EQ(text(box), L"abcdef");

    // Trapped, Tab inserts spaces up to the next multiple of four columns.
    ASSERT_EQ(box.box->put_TrapTab(VARIANT_TRUE), S_OK);
    struct Case {
        const char* name;
        std::wstring before;
        LONG caret;
        std::wstring after;
    };
    const Case cases[] = {
        {"column 6 gets two", L"abcdef", 6, L"abcdef  "},
        {"column 8 gets four", L"abcdefgh", 8, L"abcdefgh    "},
        {"column 0 gets four", L"ab", 0, L"    ab"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        setText(box, c.before);
        select(box, c.caret, 0);
        MSG trapped = keyDown(box, VK_TAB);
        EXPECT_EQ(active->TranslateAccelerator(&trapped), S_OK);
        EXPECT_EQ(text(box), c.after);
    }
}

TEST_F(IpaoHookTest, TwoBoxesHaveTwoRecordsAndRemovingOneLeavesTheOther) {
    const Placed first = placeTextBox();
    const Placed second = placeTextBox({}, {10, 50, 250, 74});
    ASSERT_TRUE(first && second);
    void* firstRecord = registered(first);
    void* secondRecord = registered(second);
    ASSERT_TRUE(firstRecord && secondRecord);
    EXPECT_NE(firstRecord, secondRecord);

    // The container's references to its site and frame come back to where
    // they were after activations.
    const auto refs = [](IUnknown* object) {
        object->AddRef();
        return object->Release();
    };
    ASSERT_EQ(form().focus(*second.site.Get()), S_OK);
    ASSERT_TRUE(pumpUntil([&] { return ::GetFocus() == edit(second); }));
    const ULONG siteRefs = refs(static_cast<IOleClientSite*>(second.site.Get()));
    const ULONG frameRefs = refs(form().frame());
    ASSERT_EQ(form().focus(*first.site.Get()), S_OK);
    ASSERT_EQ(form().focus(*second.site.Get()), S_OK);
    ASSERT_TRUE(pumpUntil([&] { return ::GetFocus() == edit(second); }));
    EXPECT_EQ(refs(static_cast<IOleClientSite*>(second.site.Get())), siteRefs);
    EXPECT_EQ(refs(form().frame()), frameRefs);

    ASSERT_EQ(form().remove(*first.site.Get()), S_OK);
    pumpPending();
    EXPECT_EQ(registered(second), secondRecord);
    setText(second, L"xy");
    select(second, 2, 0);
    ASSERT_EQ(static_cast<void*>(form().activeObject()), secondRecord);
    MSG left = keyDown(second, VK_LEFT);
    EXPECT_EQ(form().activeObject()->TranslateAccelerator(&left), S_OK);
    LONG start = 0;
    ASSERT_EQ(second.box->get_SelStart(&start), S_OK);
    EXPECT_EQ(start, 1);
}

} // namespace
} // namespace pkw::test
