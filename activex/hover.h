// Hover tracking shared by the controls: while the cursor is over a
// control, timer 1 of its window ticks every 10 ms and each tick asks
// whether the cursor has left the window's rectangle.
#pragma once

#include <windows.h>

namespace pkw::ax::hover {

inline constexpr UINT_PTR kTimerId = 1;
inline constexpr UINT kPeriodMs = 10;

inline void Start(HWND window) {
    ::SetTimer(window, kTimerId, kPeriodMs, nullptr);
}
inline void Stop(HWND window) {
    ::KillTimer(window, kTimerId);
}

// The cursor's screen position is outside the window's rectangle (false
// when either cannot be read, so a failed query never ends a hover).
inline bool CursorOutside(HWND window) {
    POINT cursor{};
    RECT rect{};
    if (!::GetCursorPos(&cursor) || !::GetWindowRect(window, &rect)) return false;
    return !::PtInRect(&rect, cursor);
}

} // namespace pkw::ax::hover
