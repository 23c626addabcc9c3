// Whether the platform draws Unicode text: one flag for the whole library,
// set by each control as it initialises; text calls take the wide or the
// narrow API by it.
#pragma once

#include <windows.h>

#include <string>

namespace pkw::ax {

void SetUnicodePlatform(bool unicode) noexcept;
bool UnicodePlatform() noexcept;

// DrawText through DrawTextW on a Unicode platform, else as ANSI text in
// the user's code page.
int DrawPlatformText(HDC hdc, const std::wstring& text, RECT* rect, UINT flags);

} // namespace pkw::ax
