// Copying a font: a control that keeps its own font object takes the
// look of an assigned font without keeping the caller's object.
#pragma once

#include <ocidl.h>
#include <olectl.h>

namespace pkw::ax {

// Name, size, bold, italic, underline and strikethrough, in that order;
// stops at the first failing read or write and returns its error.
HRESULT CopyFontAttributes(IFont* source, IFont* target);

} // namespace pkw::ax
