#include "common/text/unicode_text.h"

namespace pkw::text {

bool ContainsWideChars(std::u16string_view text) noexcept {
    for (char16_t unit : text) {
        if (unit > 0xFF) return true;
    }
    return false;
}

std::vector<std::uint8_t> ToUnicodeBytes(std::u16string_view text) {
    std::vector<std::uint8_t> bytes;
    bytes.reserve(text.size() * 2);
    for (char16_t unit : text) {
        bytes.push_back(static_cast<std::uint8_t>(unit & 0xFF));
        bytes.push_back(static_cast<std::uint8_t>(unit >> 8));
    }
    return bytes;
}

std::u16string FromUnicodeBytes(std::span<const std::uint8_t> bytes) {
    std::u16string text;
    text.reserve((bytes.size() + 1) / 2);
    std::size_t i = 0;
    for (; i + 1 < bytes.size(); i += 2) {
        text.push_back(static_cast<char16_t>(bytes[i] | (bytes[i + 1] << 8)));
    }
    if (i < bytes.size()) text.push_back(static_cast<char16_t>(bytes[i]));
    return text;
}

} // namespace pkw::text
