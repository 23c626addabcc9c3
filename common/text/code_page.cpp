#include "common/text/code_page.h"

#include "common/text/unicode_text.h"

#include <algorithm>
#include <string>

namespace pkw::text {

std::vector<std::uint8_t> ConvertCodePageBytes(std::span<const std::uint8_t> bytes,
                                               std::uint32_t codePage,
                                               const CodePageDecoder& decode) {
    if (bytes.empty()) return {};
    if (codePage == kWesternCodePage) {
        std::vector<std::uint8_t> wide;
        wide.reserve(bytes.size() * 2);
        for (const std::uint8_t b : bytes) {
            wide.push_back(b);
            wide.push_back(0);
        }
        return wide;
    }
    const auto end = std::find(bytes.begin(), bytes.end(), std::uint8_t{0});
    std::string source(bytes.begin(), end);
    source += '|';
    source += '\0';
    std::u16string units(source.size() + 2, u'\0');
    const int written = decode ? decode(source, units) : 0;
    // Without the "|" and the terminator; a decoder that wrote less than
    // those two (or failed) leaves nothing.
    if (written < 2 || static_cast<std::size_t>(written) > units.size()) return {};
    units.resize(static_cast<std::size_t>(written) - 2);
    return ToUnicodeBytes(units);
}

} // namespace pkw::text
