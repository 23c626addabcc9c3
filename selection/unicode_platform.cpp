#include "selection/unicode_platform.h"

#include <windows.h>

#include <atomic>

namespace pkw::selection {
namespace {
std::atomic<bool> gUnicodePlatform{true};
} // namespace

void SetUnicodePlatform(bool unicode) noexcept {
    gUnicodePlatform.store(unicode);
}
bool UnicodePlatform() noexcept {
    return gUnicodePlatform.load();
}

std::string AnsiText(const std::wstring& text) {
    const int length = static_cast<int>(text.size());
    const int size =
        ::WideCharToMultiByte(CP_ACP, 0, text.data(), length, nullptr, 0, nullptr, nullptr);
    std::string ansi(static_cast<std::size_t>(size > 0 ? size : 0), '\0');
    if (size > 0)
        ::WideCharToMultiByte(CP_ACP, 0, text.data(), length, ansi.data(), size, nullptr, nullptr);
    return ansi;
}

} // namespace pkw::selection
