// The stream form of a control's settings: the same named values that the
// property bag receives, written as a small versioned binary record.
//
//   header   u32 magic "PKWB", u16 version 2, u16 reserved 0, u32 payload size
//   payload  u32 entry count, then per entry:
//            u32 name length (UTF-16 units), the name, u16 type, the value
//   values   integers, reals, CY and DATE: their bytes (VT_INT/VT_UINT as 32 bits);
//            VT_BSTR: u32 length, UTF-16 units; VT_ARRAY|VT_UI1: i32 lower bound,
//            u32 count, bytes; a font (type 0xF0F0): u32 name length, the name,
//            i64 size (CY), i16 weight, i16 character set, u8 flags (1 italic,
//            2 underline, 4 strikethrough), read back as a new font object
//            (VT_DISPATCH); any other VT_UNKNOWN/VT_DISPATCH: u32 size (0 for
//            no object), then the object as OleSaveToStream writes it (class
//            id, its data); only fonts and pictures are read back.
// Version 1 records (every object as OleSaveToStream wrote it, fonts too)
// still read.
// Little-endian throughout. The reader takes exactly the bytes the writer
// wrote, so a container may keep other data after them in the same stream.
#pragma once

#include "activex/memory_property_bag.h"

#include <objidl.h>
#include <windows.h>

namespace pkw::ax::stream_format {

// The record versions this code reads; it writes the latest.
enum class Version : UINT16 { First = 1, FontDescriptions = 2, Latest = FontDescriptions };

// Writes every entry of `bag`. An entry whose type has no stream form
// fails the write with DISP_E_BADVARTYPE (nothing is written then).
// `version` First writes what the first version wrote (fonts as font
// objects save themselves), so that older records can be made again.
HRESULT write(IStream* stream, const MemoryPropertyBag& bag, Version version = Version::Latest);

// An object entry of a class other than the standard font and picture.
inline constexpr HRESULT kObjectRefused = E_ACCESSDENIED;

// Reads one record into `bag`. A short stream, or a header that claims
// more than the stream holds, answers STG_E_READFAULT; a record that does
// not parse (bad magic or version, lengths beyond the payload, unknown
// types, trailing bytes) answers E_FAIL; an object entry of any class but
// the font and the picture answers kObjectRefused before anything is
// created; an object that cannot be loaded answers the loader's error. On
// failure `bag` may hold part of the entries: callers read into a fresh bag.
HRESULT read(IStream* stream, MemoryPropertyBag& bag);

// The number of bytes write() would produce.
HRESULT size(const MemoryPropertyBag& bag, ULARGE_INTEGER* bytes);

} // namespace pkw::ax::stream_format
