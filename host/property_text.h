// Properties and ambient properties set from text, as a person types them:
// the text becomes a value of the type that the property declares.
//
//   numbers      decimal, or hex as 0x... or &H...
//   Booleans     True, False, or a number
//   enumerations a member's name or its number
//   colours      numbers (0x8000000F is the button face)
//   fonts        name="Tahoma" size=9 ... (font_text.h)
//   pictures     the path of a picture file, or Nothing
//   strings      the text as it stands
#pragma once

#include "common/com/variant.h"
#include "host/type_info.h"

#include <string>
#include <string_view>

namespace pkw::host {

class Form;

bool valueFromText(const ValueType& type, std::wstring_view text, Variant& value,
                   std::wstring& why);

// Sets `name` on `target` (an extender reaches its own members and the
// control's). `types` (the control's type information, may be null) gives
// the declared type; without one the text goes as a string, for the
// object to convert.
HRESULT putPropertyText(IDispatch* target, ITypeInfo* types, std::wstring_view name,
                        std::wstring_view text, std::wstring& why);

// An ambient property of the form by name; the text becomes a value of the
// ambient's current type.
HRESULT setAmbientText(Form& form, std::wstring_view name, std::wstring_view text,
                       std::wstring& why);

} // namespace pkw::host
