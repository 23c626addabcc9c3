// The dispatch ids of the check box's events (its source interface).
#pragma once

#include <olectl.h>
#include <windows.h>

namespace pkw::checkbox::event {

constexpr DISPID kClick = 1;
constexpr DISPID kDblClick = 2;
constexpr DISPID kMouseDown = DISPID_MOUSEDOWN;
constexpr DISPID kMouseMove = 3;
constexpr DISPID kMouseUp = 4;
constexpr DISPID kKeyDown = 5;
constexpr DISPID kKeyPress = 6;
constexpr DISPID kKeyUp = 7;
constexpr DISPID kQuerySkin = 8;
constexpr DISPID kQueryTipPlacement = 9;

} // namespace pkw::checkbox::event
