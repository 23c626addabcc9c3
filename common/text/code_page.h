// Decoding bytes of a code page into the Unicode byte-array form (UTF-16LE,
// two bytes a unit, no terminator), without Win32: the system's decoder is
// handed in.
#pragma once

#include <cstdint>
#include <functional>
#include <span>
#include <string_view>
#include <vector>

namespace pkw::text {

// Decodes `zeroTerminated` (its last byte is 0) into `out`, which has room
// for at least as many units as there are bytes. Answers the number of units
// written, the terminator included, or 0 on failure (MultiByteToWideChar
// with the length -1).
using CodePageDecoder =
    std::function<int(std::string_view zeroTerminated, std::span<char16_t> out)>;

inline constexpr std::uint32_t kWesternCodePage = 1252;

// The Unicode byte array of `bytes` read in `codePage`:
//  - 1252 widens byte for byte (0x80..0x9F stay U+0080..U+009F);
//  - any other page goes through `decode`, the bytes followed by "|" so
//    that a trailing lead byte cannot swallow the end, which is cut off
//    again; a failing decoder gives an empty array.
// An empty input gives an empty array; input from a zero byte on is not
// decoded (the decoder would stop there).
std::vector<std::uint8_t> ConvertCodePageBytes(std::span<const std::uint8_t> bytes,
                                               std::uint32_t codePage,
                                               const CodePageDecoder& decode);

} // namespace pkw::text
