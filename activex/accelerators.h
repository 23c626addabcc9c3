// Access keys as the container sees them: an accelerator table for
// IOleControl::GetControlInfo and the match of a keyboard message for
// IOleControl::OnMnemonic.
#pragma once

#include "common/win/unique_handle.h"

#include <windows.h>

#include <string>
#include <string_view>
#include <vector>

namespace pkw::ax::accelerators {

using UniqueAccel = UniqueHandle<HACCEL, &::DestroyAcceleratorTable>;

// `c` lower-cased by the platform's case mapping (every script it knows).
wchar_t lowerCase(wchar_t c) noexcept;

// Two entries per access key that the keyboard can type: Alt+key and the
// plain key (virtual keys from VkKeyScan, with the shift state it needs).
// An entry's command is the access key's character.
std::vector<ACCEL> fromAccessKeys(std::wstring_view keys);

// The access key that a key-down or character message stands for, or 0.
wchar_t match(std::wstring_view keys, const MSG& msg) noexcept;

// The access keys a caption marks with "&" (one character), or "".
std::wstring fromCaption(const std::wstring& caption);

} // namespace pkw::ax::accelerators
