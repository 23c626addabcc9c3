// GlobalSubclass's window helpers: the per-window property store and the
// UTF-16 window text.
#include "scls_support.h"

#include "common/com/bstr.h"

#include <string>

namespace pkw::scls_test {
namespace {

using WindowHelpersTest = GlobalSubclassTest;

// The window manager keeps the values apart by window and name; what is
// ours is that a pointer-sized value comes back whole, a removal hands
// the old value back, and a bad window or name is refused.
TEST_F(WindowHelpersTest, PropertiesKeepPointerSizedValues) {
    TestWindow window;
    const Bstr hook(L"m_IPAOHookStruct_ID:66342");
    const LONG_PTR value = static_cast<LONG_PTR>(~size_t{0} >> 1);
    ASSERT_EQ(global->SetWindowProperty(window.hwnd(), hook.get(), value), S_OK);
    LONG_PTR read = 0;
    EXPECT_EQ(global->GetWindowProperty(window.hwnd(), hook.get(), &read), S_OK);
    EXPECT_EQ(read, value);
    EXPECT_EQ(global->RemoveWindowProperty(window.hwnd(), hook.get(), &read), S_OK);
    EXPECT_EQ(read, value);
    EXPECT_EQ(global->RemoveWindowProperty(window.hwnd(), hook.get(), &read), S_OK);
    EXPECT_EQ(read, 0) << "already removed";
    EXPECT_EQ(global->SetWindowProperty(window.hwnd(), nullptr, 1), E_INVALIDARG);
    EXPECT_EQ(global->GetWindowProperty(nullptr, hook.get(), &read), E_INVALIDARG);
}

TEST_F(WindowHelpersTest, WideTextComesBackWithinTheBuffersLimits) {
    TestWindow window;
    const Bstr text(L"\u65e5\u672c\u8a9e\u65e5\u672c\u8a9e");
    ASSERT_EQ(global->SetWindowTextWide(window.hwnd(), text.get()), S_OK);
    // The window holds the UTF-16 text itself, not a code-page copy.
    wchar_t direct[16] = {};
    EXPECT_EQ(::GetWindowTextW(window.hwnd(), direct, 16), 6);
    EXPECT_EQ(std::wstring_view(direct), text.view());
    const struct {
        LONG capacity;
        bool nullBuffer;
        LONG length;
    } cases[] = {{7, false, 6}, {4, false, 3}, {-5, false, 0}, {100, true, 0}};
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << "capacity " << c.capacity << " null " << c.nullBuffer);
        std::wstring buffer(100, L'#');
        LONG length = -1;
        EXPECT_EQ(global->GetWindowTextWide(window.hwnd(), c.nullBuffer ? nullptr : buffer.data(),
                                            c.capacity, &length),
                  S_OK);
        EXPECT_EQ(length, c.length);
        EXPECT_EQ(buffer.substr(0, length), std::wstring(text.view().substr(0, length)));
        // Never written beyond the capacity.
        if (c.capacity > 0 && c.capacity < 100) {
            EXPECT_EQ(buffer[c.capacity], L'#');
        }
    }
    EXPECT_EQ(global->GetWindowTextWide(window.hwnd(), nullptr, 10, nullptr), E_POINTER);
    // A null text empties the window.
    ASSERT_EQ(global->SetWindowTextWide(window.hwnd(), nullptr), S_OK);
    EXPECT_EQ(::GetWindowTextLengthW(window.hwnd()), 0);

    const HWND gone = window.hwnd();
    window.destroy();
    wchar_t buffer[8];
    LONG length = -1;
    EXPECT_EQ(global->GetWindowTextWide(gone, buffer, 8, &length), E_INVALIDARG);
    EXPECT_EQ(length, 0);
    EXPECT_EQ(global->SetWindowTextWide(gone, text.get()), E_INVALIDARG);
}

} // namespace
} // namespace pkw::scls_test
