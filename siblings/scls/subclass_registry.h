// Message routing from subclassed windows to ISubclass sinks.
//
// One registry per process: a window's record (its original procedure and
// its attachments in attach order) lives from the first AttachMessage on it
// until its last DetachMessage or its WM_NCDESTROY. Every GlobalSubclass
// object is a view of this registry, so controls that hold different
// instances still share one chain per window.
//
// Sinks are not owned while attached: a control attaches itself to its own
// window, and owning it would keep the control alive through its window.
// A sink must detach before it dies (or its window must be destroyed);
// while a message is being dispatched every sink involved is held.
#pragma once

#include "zelSCls40.h"

#include <windows.h>

namespace pkw::scls {

// S_FALSE when the message was already attached (or not attached) for
// that sink and window.
HRESULT attachMessage(ISubclass* sink, HWND hwnd, UINT message);
HRESULT detachMessage(ISubclass* sink, HWND hwnd, UINT message);

// The message being dispatched on this thread (innermost), 0 when none.
UINT currentMessage() noexcept;

// Calls the window's procedure as it was before the first attach.
HRESULT callOldWindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result);

} // namespace pkw::scls
