// The form runtime's MousePointer values and the cursors they stand for.
#pragma once

#include <ocidl.h>
#include <windows.h>

namespace pkw::ax::mouse_pointer {

constexpr short kDefault = 0;
constexpr short kCustom = 99;

// The system cursor of a MousePointer value; null for 0 (the window's
// own choice), 99 (the MouseIcon) and values without a cursor.
HCURSOR systemCursor(short pointer) noexcept;

// The cursor a MouseIcon picture stands for: an icon or cursor picture
// gives its handle, any other picture (or none) null.
HCURSOR iconCursor(IPictureDisp* icon) noexcept;

} // namespace pkw::ax::mouse_pointer
