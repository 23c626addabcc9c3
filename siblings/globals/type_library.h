// The type library embedded in this DLL (resource TYPELIB 1), loaded
// without registration.
#pragma once

#include <oaidl.h>
#include <windows.h>

namespace pkw::globals {

HRESULT loadTypeLibrary(ITypeLib** library) noexcept;
// The type information of one interface, record or class of the library.
HRESULT loadTypeInfo(REFGUID guid, ITypeInfo** info) noexcept;

} // namespace pkw::globals
