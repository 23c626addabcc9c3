// Text for people and files: UTF-8 to and from the UTF-16 of Windows, and
// HRESULTs as the hex codes people look up.
#pragma once

#include <windows.h>

#include "common/com/value_text.h"

#include <string>
#include <string_view>

namespace pkw::host {

std::string utf8(std::wstring_view text);
// False for bytes that are not UTF-8 (nothing is guessed).
bool fromUtf8(std::string_view bytes, std::wstring& text);

using com::hexResult;

} // namespace pkw::host
