// A type library read from a module's TYPELIB resource without registering
// it: the kit loads its own module's libraries this way, the host reads a
// control library's classes before (or without) registration.
#pragma once

#include <oaidl.h>
#include <windows.h>

#include <string>

namespace pkw::com {

// Resource 1 is the module's public library.
HRESULT loadModuleTypeLibrary(const std::wstring& modulePath, UINT resource,
                              ITypeLib** library) noexcept;

} // namespace pkw::com
