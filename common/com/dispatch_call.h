// Calls through IDispatch by DISPID or by name (GetIDsOfNames + Invoke),
// as a script host, a page or another control makes them.
#pragma once

#include "common/com/variant.h"

#include <oaidl.h>

#include <span>
#include <string>

namespace pkw::com {

HRESULT dispId(IDispatch* object, const wchar_t* name, DISPID& id);

// `args` are in declaration order; a put passes its value as the named
// DISPID_PROPERTYPUT argument. A call that raised an exception returns the
// exception's code, and its description in `*error` when given.
HRESULT invoke(IDispatch* object, DISPID id, WORD flags, std::span<const Variant> args,
               Variant* result, std::wstring* error = nullptr);

} // namespace pkw::com
