// Conversions between a key's stored value (what the bag holds) and its
// typed value (what the control loads and saves), and the default of each
// key, given once for the reading and the writing side.
//
// Typed values: Int16 VT_I2, Int32 and Colour VT_I4, Boolean VT_BOOL,
// Single VT_R4, Object VT_DISPATCH (null for none), Text VT_BSTR.
// Stored values differ only for Text: a byte array (VT_ARRAY | VT_UI1).
#pragma once

#include "common/com/variant.h"
#include "persistence/control_keys.h"

#include <ocidl.h>
#include <windows.h>

namespace pkw::persist {

// The stored default of `key`. The font default is `ambientFont` (which
// may be null: then no object).
Variant DefaultValue(Key key, IFontDisp* ambientFont);

// Converts a stored value to the key's typed value; fails with the
// conversion's error (DISP_E_TYPEMISMATCH, DISP_E_OVERFLOW, ...).
HRESULT FromStored(Key key, const VARIANT& stored, Variant& typed);

// Converts a typed value (or anything convertible to the type) to the form
// the bag stores.
HRESULT ToStored(Key key, const VARIANT& typed, Variant& stored);

// A stored colour as its 32 bits (VT_I4): any number that converts to a
// signed or an unsigned 32-bit value, so that a system colour stored
// unsigned (0x8000000F and up) reads as itself.
HRESULT ColourFromStored(const VARIANT& stored, Variant& colour);

// A persisted text: the UTF-16LE bytes as a one-dimensional byte array
// from index 0, and back (an odd final byte becomes a unit of its own).
HRESULT TextToByteArray(const wchar_t* text, UINT length, Variant& bytes);
HRESULT ByteArrayToText(const VARIANT& bytes, Variant& text);

} // namespace pkw::persist
