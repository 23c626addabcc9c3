// Late-bound calls by name, as a script host or another control makes
// them (GetIDsOfNames + Invoke), and the type name of an object as a form
// runtime's TypeName() reports it.
#pragma once

#include "common/com/variant.h"
#include "host/com_object.h"
#include "host/type_info.h"

#include <oaidl.h>

#include <span>
#include <string>

namespace pkw::host {

HRESULT dispId(IDispatch* object, const wchar_t* name, DISPID& id);

// `args` are in declaration order. The EXCEPINFO description of the last
// failing call on this thread is kept for messages (lastDispatchError).
HRESULT invoke(IDispatch* object, DISPID id, WORD flags, std::span<const Variant> args,
               Variant* result);
HRESULT getProperty(IDispatch* object, const wchar_t* name, Variant& value);
HRESULT getProperty(IDispatch* object, const wchar_t* name, std::span<const Variant> index,
                    Variant& value);
HRESULT putProperty(IDispatch* object, const wchar_t* name, const VARIANT& value);
HRESULT putRefProperty(IDispatch* object, const wchar_t* name, IUnknown* value);
HRESULT callMethod(IDispatch* object, const wchar_t* name, std::span<const Variant> args = {},
                   Variant* result = nullptr);
const std::wstring& lastDispatchError();

// The class name from IProvideClassInfo (the coclass), else the name of
// the dispatch type info without a leading underscore; "" when neither.
std::wstring typeName(IUnknown* object);

} // namespace pkw::host
