// Property access by name on an object the control knows only as
// IDispatch (the other controls of its form and their collections).
#pragma once

#include "common/com/variant.h"

#include <oaidl.h>

namespace pkw::option {

HRESULT GetProperty(IDispatch* object, const wchar_t* name, Variant& value) noexcept;
HRESULT PutProperty(IDispatch* object, const wchar_t* name, const VARIANT& value) noexcept;
// The property converted to `type` (VT_I2, VT_I4, VT_BOOL, ...).
HRESULT GetPropertyAs(IDispatch* object, const wchar_t* name, VARTYPE type,
                      Variant& value) noexcept;

} // namespace pkw::option
