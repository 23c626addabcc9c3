#include "selection/tip_text_messages.h"

#include <cstring>

namespace pkw::selection {

LRESULT TipTextSize(std::wstring_view text) noexcept {
    return static_cast<LRESULT>(text.size()) * 4;
}

std::wstring TipTextPayload(std::wstring_view text) {
    if (text.empty()) return {};
    const auto* bytes = reinterpret_cast<const char*>(text.data());
    const int byteCount = static_cast<int>(text.size() * sizeof(wchar_t));
    const int units = ::MultiByteToWideChar(CP_ACP, 0, bytes, byteCount, nullptr, 0);
    if (units <= 0) return {};
    std::wstring widened(static_cast<std::size_t>(units), L'\0');
    ::MultiByteToWideChar(CP_ACP, 0, bytes, byteCount, widened.data(), units);
    return widened;
}

bool IsWritableRange(const void* address, SIZE_T size) noexcept {
    if (!address) return false;
    constexpr DWORD kWritable =
        PAGE_READWRITE | PAGE_WRITECOPY | PAGE_EXECUTE_READWRITE | PAGE_EXECUTE_WRITECOPY;
    auto cursor = reinterpret_cast<ULONG_PTR>(address);
    const ULONG_PTR end = cursor + size;
    if (end < cursor) return false; // wraps around the address space
    while (cursor < end) {
        MEMORY_BASIC_INFORMATION info{};
        if (::VirtualQuery(reinterpret_cast<const void*>(cursor), &info, sizeof info) == 0)
            return false;
        if (info.State != MEM_COMMIT) return false;
        if (!(info.Protect & kWritable) || (info.Protect & (PAGE_GUARD | PAGE_NOACCESS)))
            return false;
        const ULONG_PTR regionEnd = reinterpret_cast<ULONG_PTR>(info.BaseAddress) + info.RegionSize;
        if (regionEnd <= cursor) return false;
        cursor = regionEnd;
    }
    return true;
}

LRESULT AnswerSendTipText(HWND control, std::wstring_view text, WPARAM wParam,
                          LPARAM lParam) noexcept {
    // Sent from another thread (another program's above all), the address
    // is not one of ours: only the control's own thread gets the text.
    if (::InSendMessageEx(nullptr) != ISMEX_NOSEND) return kTipTextWrongWindow;
    if (reinterpret_cast<HWND>(wParam) != control) return kTipTextWrongWindow;
    if (text.empty()) return kTipTextEmpty;
    try {
        const std::wstring payload = TipTextPayload(text);
        const SIZE_T bytes = payload.size() * sizeof(wchar_t);
        void* buffer = reinterpret_cast<void*>(lParam);
        if (bytes > 0 && IsWritableRange(buffer, bytes)) std::memcpy(buffer, payload.data(), bytes);
    } catch (...) {
        // Out of memory for the conversion: the caller's buffer stays as it was.
    }
    return kTipTextCopied;
}

} // namespace pkw::selection
