// Property access by name on an object known only as IDispatch (the other
// controls of a form and their collections, the objects a property page
// edits).
#pragma once

#include "common/com/variant.h"

#include <oaidl.h>

namespace pkw::com {

HRESULT GetProperty(IDispatch* object, const wchar_t* name, Variant& value) noexcept;
HRESULT PutProperty(IDispatch* object, const wchar_t* name, const VARIANT& value) noexcept;
// The property converted to `type` (VT_I2, VT_I4, VT_BOOL, ...).
HRESULT GetPropertyAs(IDispatch* object, const wchar_t* name, VARTYPE type,
                      Variant& value) noexcept;

} // namespace pkw::com
