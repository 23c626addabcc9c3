#include "activex/accelerators.h"

#include "common/text/access_key.h"

namespace pkw::ax::accelerators {
namespace {

// VkKeyScan's high byte: 1 Shift, 2 Ctrl, 4 Alt.
BYTE modifiers(SHORT scan) noexcept {
    const BYTE state = HIBYTE(scan);
    BYTE flags = 0;
    if (state & 1) flags |= FSHIFT;
    if (state & 2) flags |= FCONTROL;
    if (state & 4) flags |= FALT;
    return flags;
}

} // namespace

wchar_t lowerCase(wchar_t c) noexcept {
    ::CharLowerBuffW(&c, 1);
    return c;
}

std::vector<ACCEL> fromAccessKeys(std::wstring_view keys) {
    std::vector<ACCEL> table;
    for (const wchar_t key : keys) {
        const SHORT scan = ::VkKeyScanW(key);
        if (scan == -1) continue;
        const WORD vk = LOBYTE(scan);
        const BYTE mods = modifiers(scan);
        table.push_back(ACCEL{static_cast<BYTE>(FVIRTKEY | FALT | mods), vk, key});
        table.push_back(ACCEL{static_cast<BYTE>(FVIRTKEY | mods), vk, key});
    }
    return table;
}

wchar_t match(std::wstring_view keys, const MSG& msg) noexcept {
    switch (msg.message) {
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
        for (const wchar_t key : keys) {
            const SHORT scan = ::VkKeyScanW(key);
            if (scan != -1 && LOBYTE(scan) == msg.wParam) return key;
        }
        return 0;
    case WM_CHAR:
    case WM_SYSCHAR: {
        const wchar_t typed = lowerCase(static_cast<wchar_t>(msg.wParam));
        for (const wchar_t key : keys) {
            if (lowerCase(key) == typed) return key;
        }
        return 0;
    }
    default:
        return 0;
    }
}

std::wstring fromCaption(const std::wstring& caption) {
    static_assert(sizeof(wchar_t) == sizeof(char16_t));
    const std::u16string_view text(reinterpret_cast<const char16_t*>(caption.data()),
                                   caption.size());
    const std::optional<char16_t> key = text::AccessKeyOf(text);
    return key ? std::wstring(1, static_cast<wchar_t>(*key)) : std::wstring();
}

} // namespace pkw::ax::accelerators
