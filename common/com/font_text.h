// A font object as one line of text holding every attribute it keeps, and
// a new font object from such a line:
//
//   name="Tahoma" size=8.25 weight=700 charset=0 italic=False underline=False strikethrough=False
//
// Sizes are points with up to four decimals (the font's own precision).
#pragma once

#include "common/com/com_ptr.h"

#include <wrl/client.h>

#include <ocidl.h>

#include <string>
#include <string_view>

namespace pkw::com {

using Microsoft::WRL::ComPtr;

HRESULT describeFont(IUnknown* font, std::wstring& text);
// name and size are required; the rest default to a plain font (weight 400,
// charset 1, no styles). Unknown or repeated attributes fail, with why.
bool parseFont(std::wstring_view text, ComPtr<IFontDisp>& font, std::wstring& why);

} // namespace pkw::com
