// The private messages by which any window fetches a shown check box's
// plain tool-tip text (3552: the buffer size, 3551: the text), and the
// access key taken from the caption.
#include "tests/checkbox/checkbox_fixture.h"

#include <cstring>

namespace pkw::test {
namespace {

constexpr UINT kSendTipText = 3551;
constexpr UINT kSendTipTextSize = 3552;

bool SingleByteCodePage() {
    CPINFO info{};
    return ::GetCPInfo(CP_ACP, &info) && info.MaxCharSize == 1;
}

TEST_F(CheckBoxTest, TipTextMessagesAnswerWithTheTextWidenedByteByByte) {
    auto b = placeBox();
    ASSERT_TRUE(b);
    const HWND window = b.window();
    ASSERT_TRUE(window);
    struct Case {
        const wchar_t* text;
        LRESULT size;
        LRESULT answer;
        std::vector<BYTE> bytes; // written into the buffer
        bool needsSingleByteCodePage;
    };
    const Case cases[] = {
        {L"abc", 12, 1001, {0x61, 0, 0, 0, 0x62, 0, 0, 0, 0x63, 0, 0, 0}, false},
        {L"", 0, 1002, {}, false},
        // Each byte of the UTF-16 text becomes a unit of its own.
        {L"\u00E9", 4, 1001, {0xE9, 0, 0, 0}, true},
        {L"\u0416", 4, 1001, {0x16, 0, 0x04, 0}, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(narrow(c.text));
        if (c.needsSingleByteCodePage && !SingleByteCodePage()) continue;
        put(b, L"UniToolTipText", Str(c.text));
        EXPECT_EQ(::SendMessageW(window, kSendTipTextSize, 0, 0), c.size);
        std::vector<BYTE> buffer(32, 0xCC);
        EXPECT_EQ(::SendMessageW(window, kSendTipText, reinterpret_cast<WPARAM>(window),
                                 reinterpret_cast<LPARAM>(buffer.data())),
                  c.answer);
        EXPECT_EQ(std::vector<BYTE>(buffer.begin(), buffer.begin() + c.bytes.size()), c.bytes);
        EXPECT_EQ(buffer[c.bytes.size()], 0xCC) << "wrote past the text";
        // Asked about another window: nothing written.
        std::vector<BYTE> untouched(32, 0xCC);
        EXPECT_EQ(::SendMessageW(window, kSendTipText, reinterpret_cast<WPARAM>(form().hwnd()),
                                 reinterpret_cast<LPARAM>(untouched.data())),
                  1003);
        EXPECT_EQ(untouched, std::vector<BYTE>(32, 0xCC));
    }
}

TEST_F(CheckBoxTest, TipTextIsNotWrittenWhereTheCallerHasNoWritableBuffer) {
    auto b = placeBox();
    ASSERT_TRUE(b);
    const HWND window = b.window();
    put(b, L"UniToolTipText", Str(L"abcdef"));

    SYSTEM_INFO system{};
    ::GetSystemInfo(&system);
    const SIZE_T page = system.dwPageSize;
    // Three pages: writable, read-only, then reserved only. A buffer that
    // starts in a writable page must not be written when it runs on into
    // one that is not.
    BYTE* base = static_cast<BYTE*>(::VirtualAlloc(nullptr, 3 * page, MEM_RESERVE, PAGE_NOACCESS));
    ASSERT_TRUE(base);
    ASSERT_TRUE(::VirtualAlloc(base, 2 * page, MEM_COMMIT, PAGE_READWRITE));
    std::memset(base, 0xCC, 2 * page);
    DWORD old = 0;
    ASSERT_TRUE(::VirtualProtect(base + page, page, PAGE_READONLY, &old));

    struct Case {
        const char* what;
        BYTE* buffer;
    };
    const Case cases[] = {
        {"null", nullptr},
        {"runs from writable into read-only", base + page - 8},
        {"read-only, running into reserved memory", base + 2 * page - 4},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(::SendMessageW(window, kSendTipText, reinterpret_cast<WPARAM>(window),
                                 reinterpret_cast<LPARAM>(c.buffer)),
                  1001);
    }
    // The writable bytes before the read-only page stayed as they were.
    for (SIZE_T i = page - 8; i < page; ++i)
        EXPECT_EQ(base[i], 0xCC) << i;
    // The control is still there and still answers.
    EXPECT_EQ(::SendMessageW(window, kSendTipTextSize, 0, 0), 24);
    ::VirtualFree(base, 0, MEM_RELEASE);
}

TEST_F(CheckBoxTest, ARunTimeControlTakesItsAccessKeyFromTheCaption) {
    struct Case {
        bool userMode;
        const wchar_t* displayName;
        bool hasKey;
    };
    // The display name becomes the caption; only run time sets the keys.
    const Case cases[] = {
        {true, L"&Check", true}, {true, L"Check", false}, {false, L"&Check", false}};
    for (const Case& c : cases) {
        SCOPED_TRACE(narrow(c.displayName) + (c.userMode ? " run time" : " design time"));
        form().setUserMode(c.userMode);
        auto b = placeBox(c.displayName);
        ASSERT_TRUE(b);
        ASSERT_HRESULT_SUCCEEDED(b.site->refreshControlInfo());
        EXPECT_EQ(b.site->controlInfo().cAccel > 0, c.hasKey);
        form().remove(*b.site.Get());
    }
}

} // namespace
} // namespace pkw::test
