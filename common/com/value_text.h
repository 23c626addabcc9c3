// Values as text that people read and write, and that reads back to the
// same bits: quoted strings, hex bytes, Booleans, integers, floating-point
// numbers and currency. Shared by the host's property-bag files, its
// command line and event log, and the effects editor.
#pragma once

#include "common/com/variant.h"

#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace pkw::com {

// A string in double quotes, with \" \\ \n \r \t, and \uXXXX for other
// control characters and for unpaired surrogates.
std::wstring quoteText(std::wstring_view text);
// Reads a quoted string at the start of `in`; `rest` is what follows it.
bool unquoteText(std::wstring_view in, std::wstring& text, std::wstring_view& rest,
                 std::wstring& why);

// "00 1f a0": two hex digits a byte, separated by spaces.
std::wstring hexBytes(std::span<const BYTE> bytes);
// Pairs of hex digits; spaces between pairs are optional.
bool parseHexBytes(std::wstring_view text, std::vector<BYTE>& bytes, std::wstring& why);

// The bytes of a one-dimensional byte array (VT_ARRAY | VT_UI1); false for
// anything else.
bool byteArrayBytes(const VARIANT& value, std::vector<BYTE>& bytes);
HRESULT makeByteArray(std::span<const BYTE> bytes, Variant& value);

// Booleans (True, False), integers of every width, VT_R4, VT_R8, VT_CY.
bool isScalar(VARTYPE vt);
// Decimal, shortest text that reads back to the same bits; True and False
// for the two Boolean values, any other Boolean as its number.
std::wstring formatScalar(const VARIANT& value);
// Integers in decimal, or in hex as 0x... or &H... giving the bits of the
// type's width (&H8000000F is a negative 32-bit number); Booleans as True,
// False or a number. Out of range or trailing characters fail, with why.
bool parseScalar(VARTYPE vt, std::wstring_view text, Variant& value, std::wstring& why);

// "0x80040154".
std::wstring hexResult(HRESULT hr);

// Any value as a log shows it: scalars and quoted strings as above, byte
// arrays as hex in braces, Nothing for a missing object, the kind of an
// object otherwise.
std::wstring describeValue(const VARIANT& value);

} // namespace pkw::com
