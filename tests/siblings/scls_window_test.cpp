// GlobalSubclass's window helpers: the per-window property store and the
// UTF-16 window text.
#include "scls_support.h"

#include "common/com/bstr.h"

#include <string>

namespace pkw::scls_test {
namespace {

using WindowHelpersTest = GlobalSubclassTest;

TEST_F(WindowHelpersTest, PropertiesAreKeptPerWindowAndName) {
    TestWindow first;
    TestWindow second;
    const Bstr hook(L"m_IPAOHookStruct_ID:66342");
    const Bstr other(L"m_IPAOHookStruct_ID:66343");
    // Negative and pointer-sized values come back whole.
    const LONG_PTR values[] = {-1, static_cast<LONG_PTR>(~size_t{0} >> 1)};
    for (const LONG_PTR value : values) {
        SCOPED_TRACE(value);
        ASSERT_EQ(global->SetWindowProperty(first.hwnd(), hook.get(), value), S_OK);
        ASSERT_EQ(global->SetWindowProperty(first.hwnd(), other.get(), value ^ 1), S_OK);
        ASSERT_EQ(global->SetWindowProperty(second.hwnd(), hook.get(), 42), S_OK);

        LONG_PTR read = 0;
        EXPECT_EQ(global->GetWindowProperty(first.hwnd(), hook.get(), &read), S_OK);
        EXPECT_EQ(read, value);
        EXPECT_EQ(global->GetWindowProperty(first.hwnd(), other.get(), &read), S_OK);
        EXPECT_EQ(read, value ^ 1);
        EXPECT_EQ(global->GetWindowProperty(second.hwnd(), hook.get(), &read), S_OK);
        EXPECT_EQ(read, 42);

        LONG_PTR old = 0;
        EXPECT_EQ(global->RemoveWindowProperty(first.hwnd(), hook.get(), &old), S_OK);
        EXPECT_EQ(old, value);
        EXPECT_EQ(global->GetWindowProperty(first.hwnd(), hook.get(), &read), S_OK);
        EXPECT_EQ(read, 0);
        // Removing one name leaves the other.
        EXPECT_EQ(global->GetWindowProperty(first.hwnd(), other.get(), &read), S_OK);
        EXPECT_EQ(read, value ^ 1);
        EXPECT_EQ(global->RemoveWindowProperty(first.hwnd(), hook.get(), &old), S_OK);
        EXPECT_EQ(old, 0);
        global->RemoveWindowProperty(first.hwnd(), other.get(), &old);
        global->RemoveWindowProperty(second.hwnd(), hook.get(), &old);
    }
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
    } cases[] = {{7, false, 6}, {4, false, 3}, {1, false, 0}, {-5, false, 0}, {100, true, 0}};
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
