// A setting's value as the editor shows it and as the user types it.
//
//   numbers    decimal, or hex as 0x... or &H...
//   Booleans   True or False (a number: nonzero is True)
//   colours    RGB(127, 157, 185) or System(15) for the system colour 15;
//              also #7F9DB9, or the OLE_COLOR's number (&H8000000F)
//   text       as it stands
//   fonts      name="Tahoma" size=8.25 weight=400 charset=1 italic=False ...
//              (name and size are enough)
//   pictures and other objects: shown, not typed
#pragma once

#include "common/com/type_info.h"
#include "common/com/variant.h"

#include <string>
#include <string_view>

namespace pkw::proppage {

bool IsTypedIn(const com::ValueType& type);
std::wstring SettingText(const com::ValueType& type, const VARIANT& value);
// False, with why, when the text is no value of the type.
bool ParseSetting(const com::ValueType& type, std::wstring_view text, Variant& value,
                  std::wstring& why);
// What the user may type, for the editor's hint line.
std::wstring_view SettingHint(const com::ValueType& type);

} // namespace pkw::proppage
