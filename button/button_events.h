// The dispatch ids of the button's events (its source interface __BTN).
#pragma once

#include <windows.h>

namespace pkw::button::event {

constexpr DISPID kClick = 1;
constexpr DISPID kKeyDown = 2;
constexpr DISPID kKeyPress = 3;
constexpr DISPID kKeyUp = 4;
constexpr DISPID kMouseDown = 5;
// 6, MouseMove, is declared and never raised.
constexpr DISPID kMouseUp = 7;

} // namespace pkw::button::event
