// The access key of a caption: the character after the first single "&",
// lower-cased. A doubled "&&" stands for a literal ampersand and is
// skipped; an "&" at the end, or a caption shorter than two characters,
// gives no key.
#pragma once

#include <optional>
#include <string_view>

namespace pkw::text {

// The key character (lower-cased), or nothing.
std::optional<char16_t> AccessKeyOf(std::u16string_view caption) noexcept;

// Simple case mapping used for access keys (Latin-1, Latin Extended-A,
// Greek and Cyrillic capitals; anything else is returned unchanged).
char16_t ToLowerKey(char16_t c) noexcept;

} // namespace pkw::text
