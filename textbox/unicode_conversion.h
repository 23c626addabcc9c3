// The text box's conversions between strings, byte-array values and code
// pages, on the Win32-free kernels of common/text.
#pragma once

#include "common/com/variant.h"

#include <windows.h>

#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace pkw::textbox {

// The Unicode byte array of `bytes` read in `codePage` with
// MultiByteToWideChar's `flags` (1252 widened byte for byte); empty when
// the system cannot decode them.
std::vector<std::uint8_t> ConvertCodePageBytes(std::span<const std::uint8_t> bytes, UINT codePage,
                                               DWORD flags = 0);

// The string whose UTF-16LE bytes are the value's: a byte array as it is,
// a string's own text; E_INVALIDARG for any other type (by reference too).
HRESULT VarToUni(const VARIANT& value, std::wstring& text);

// A byte array (VT_ARRAY | VT_UI1, lower bound 0) of text's UTF-16LE bytes.
HRESULT UniToVar(std::wstring_view text, Variant& value);

} // namespace pkw::textbox
