// The editor's window: a modal dialog over the working copy. It turns the
// user's clicks and typing into EditorState calls and shows the state;
// the state itself knows no window.
#pragma once

#include "siblings/proppage/working_copy.h"

#include <windows.h>

namespace pkw::proppage {

// Shows the dialog owned by `owner` (may be null) until the user closes
// it; true when they chose OK. Only the working copy changes.
bool RunEditor(HWND owner, const wchar_t* title, WorkingCopy& copy);

} // namespace pkw::proppage
