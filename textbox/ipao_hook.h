// The accelerator hook: a hand-built stand-in for a control's own
// IOleInPlaceActiveObject, made the container's active object so that the
// keys a container keeps for dialog navigation (Tab, arrows, Home, End,
// Page Up, Page Down) reach the control first.
//
// Every method goes to the control's real in-place active object, except
// TranslateAccelerator, which asks the control's _IPAO first: 0 means the
// control took the key. The hook record lives in the task allocator, is
// found through a window property of the control's window, and holds no
// references: the container's AddRef and Release reach the real control.
#pragma once

#include "zelPickwell40.h"

#include <oleidl.h>
#include <windows.h>

#include <string>

namespace pkw::textbox::hook {

// The window property that holds a window's hook record.
std::wstring PropertyName(HWND hwnd);

// Allocates the record for `control` (its own window `hwnd`) and registers
// it. E_OUTOFMEMORY when there is no task allocator; without memory for the
// record the control simply goes without a hook (S_FALSE).
HRESULT InstallIPAOHook(_IPAO* control, HWND hwnd) noexcept;

// Makes the record the active object of the container's frame and document
// windows. Nothing happens without a registered record or a container.
void ActivateIPAOHook(_IPAO* control, HWND hwnd) noexcept;

// Unregisters and frees the record (the control is terminating; the
// container no longer routes keys to it).
void RemoveIPAOHook(HWND hwnd) noexcept;

// The record registered for `hwnd`, seen as the interface the container
// gets (no reference added), or null.
IOleInPlaceActiveObject* RegisteredHook(HWND hwnd) noexcept;

} // namespace pkw::textbox::hook
