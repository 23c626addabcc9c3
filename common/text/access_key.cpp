#include "common/text/access_key.h"

namespace pkw::text {

char16_t ToLowerKey(char16_t c) noexcept {
    if ((c >= u'A' && c <= u'Z') || (c >= 0xC0 && c <= 0xDE && c != 0xD7)) return c + 32;
    if (c >= 0x100 && c <= 0x17F) {
        // Latin Extended-A pairs capitals with the following odd code point,
        // except for the stretch 0x139-0x148 and 0x179-0x17E where it is reversed.
        const bool reversed = (c >= 0x139 && c <= 0x148) || (c >= 0x179 && c <= 0x17E);
        const bool capital = reversed ? (c % 2 == 1) : (c % 2 == 0);
        return capital && c != 0x130 && c != 0x138 ? c + 1 : c;
    }
    if (c >= 0x391 && c <= 0x3AB && c != 0x3A2) return c + 32; // Greek
    if (c >= 0x410 && c <= 0x42F) return c + 32;               // Cyrillic
    if (c >= 0x400 && c <= 0x40F) return c + 80;
    return c;
}

std::optional<char16_t> AccessKeyOf(std::u16string_view caption) noexcept {
    if (caption.size() < 2) return std::nullopt;

    auto amp = caption.find(u'&');
    if (amp == std::u16string_view::npos || amp + 1 >= caption.size()) return std::nullopt;
    if (caption[amp + 1] != u'&') return ToLowerKey(caption[amp + 1]);

    // "&&" is a literal ampersand: the key is after the next single "&".
    amp = caption.find(u'&', amp + 2);
    if (amp == std::u16string_view::npos || amp + 1 >= caption.size()) return std::nullopt;
    if (caption[amp + 1] == u'&') return std::nullopt;
    return ToLowerKey(caption[amp + 1]);
}

} // namespace pkw::text
