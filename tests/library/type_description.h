// Readable descriptions of type-library members, so that the tests compare
// whole signatures as text ("inout short*", "retval IFontDisp**").
#pragma once

#include <windows.h>

#include <oleauto.h>

#include <string>

namespace pkw::test {

// A type as IDL would spell it: "short", "BSTR*", "NuAlignmentConstants".
std::wstring describeType(ITypeInfo* info, const TYPEDESC& type);

// One parameter: "retval " for [out, retval], "inout " for [in, out], then
// the type.
std::wstring describeParameter(ITypeInfo* info, const ELEMDESC& param);

// All parameters of a function, joined with ", ".
std::wstring describeParameters(ITypeInfo* info, const FUNCDESC& func);

// The name of a type info.
std::wstring typeName(ITypeInfo* info);

} // namespace pkw::test
