// The access key of a caption: the character after the first single "&".
// A doubled "&&" stands for a literal ampersand and is skipped; an "&" at
// the end, or a caption shorter than two characters, gives no key. The
// control's window lower-cases the key with the platform's case mapping,
// which this Win32-free code does not have.
#pragma once

#include <optional>
#include <string_view>

namespace pkw::text {

// The key character as the caption writes it, or nothing.
std::optional<char16_t> AccessKeyOf(std::u16string_view caption) noexcept;

} // namespace pkw::text
