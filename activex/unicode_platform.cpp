#include "activex/unicode_platform.h"

#include <atomic>

namespace pkw::ax {
namespace {
std::atomic<bool> gUnicodePlatform{true};
} // namespace

void SetUnicodePlatform(bool unicode) noexcept {
    gUnicodePlatform.store(unicode);
}
bool UnicodePlatform() noexcept {
    return gUnicodePlatform.load();
}

int DrawPlatformText(HDC hdc, const std::wstring& text, RECT* rect, UINT flags) {
    if (UnicodePlatform())
        return ::DrawTextW(hdc, text.data(), static_cast<int>(text.size()), rect, flags);
    const int size = ::WideCharToMultiByte(CP_ACP, 0, text.data(), static_cast<int>(text.size()),
                                           nullptr, 0, nullptr, nullptr);
    std::string ansi(static_cast<std::size_t>(size > 0 ? size : 0), '\0');
    if (size > 0)
        ::WideCharToMultiByte(CP_ACP, 0, text.data(), static_cast<int>(text.size()), ansi.data(),
                              size, nullptr, nullptr);
    return ::DrawTextA(hdc, ansi.data(), static_cast<int>(ansi.size()), rect, flags);
}

} // namespace pkw::ax
