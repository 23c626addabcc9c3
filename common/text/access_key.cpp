#include "common/text/access_key.h"

namespace pkw::text {

std::optional<char16_t> AccessKeyOf(std::u16string_view caption) noexcept {
    if (caption.size() < 2) return std::nullopt;

    auto amp = caption.find(u'&');
    if (amp == std::u16string_view::npos || amp + 1 >= caption.size()) return std::nullopt;
    if (caption[amp + 1] != u'&') return caption[amp + 1];

    // "&&" is a literal ampersand: the key is after the next single "&".
    amp = caption.find(u'&', amp + 2);
    if (amp == std::u16string_view::npos || amp + 1 >= caption.size()) return std::nullopt;
    if (caption[amp + 1] == u'&') return std::nullopt;
    return caption[amp + 1];
}

} // namespace pkw::text
