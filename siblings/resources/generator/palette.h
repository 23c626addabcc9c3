// The colours the images share: one accent in three strengths, and the
// neutrals of normal and disabled looks. Designed to read on white and on
// the button face colour (about 0xF0F0F0).
#pragma once

#include "color.h"

namespace pkw::images::palette {

inline constexpr Color kAccent = Hex(0x0067C0);
inline constexpr Color kAccentHot = Hex(0x1A7DD6);
inline constexpr Color kAccentPressed = Hex(0x004E92);
inline constexpr Color kAccentTint = Hex(0xE5F1FB);        // hot backgrounds
inline constexpr Color kAccentTintPressed = Hex(0xCCE2F6); // pressed backgrounds

inline constexpr Color kWhite = Hex(0xFFFFFF);
inline constexpr Color kFace = Hex(0xF0F0F0); // what the opaque images sit on
inline constexpr Color kBorder = Hex(0x7A7A7A);
inline constexpr Color kText = Hex(0x1F1F1F);

inline constexpr Color kDisabledFill = Hex(0xF5F5F5);
inline constexpr Color kDisabledBorder = Hex(0xBDBDBD);
inline constexpr Color kDisabledMark = Hex(0xB4B4B4);

} // namespace pkw::images::palette
