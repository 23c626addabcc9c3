// Text helpers that need no Win32: the Unicode byte-array form in which
// texts are persisted, and the test for characters above U+00FF.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace pkw::text {

// True when a UTF-16 code unit of `text` is above U+00FF.
bool ContainsWideChars(std::u16string_view text) noexcept;

// UTF-16LE bytes of `text`, two per code unit, low byte first, no terminator.
std::vector<std::uint8_t> ToUnicodeBytes(std::u16string_view text);

// The text whose UTF-16LE bytes are `bytes`; an odd final byte becomes a
// code unit of its own (its value is that byte).
std::u16string FromUnicodeBytes(std::span<const std::uint8_t> bytes);

} // namespace pkw::text
