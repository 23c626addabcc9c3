// Whether the platform draws Unicode text: one flag for the whole library,
// set by each control as it initialises; text calls take the wide or the
// narrow API by it.
#pragma once

#include <string>

namespace pkw::selection {

void SetUnicodePlatform(bool unicode) noexcept;
bool UnicodePlatform() noexcept;

// A text in the system ANSI code page, for the narrow text calls.
std::string AnsiText(const std::wstring& text);

} // namespace pkw::selection
