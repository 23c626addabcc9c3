// Self-registration of the server: the public classes of the class table
// and the type library, for the machine (DllRegisterServer) or for the
// current user (DllInstall "user", HKCU\Software\Classes).
#pragma once

#include <windows.h>

namespace pkw::library {

enum class Scope { Machine, User };

HRESULT registerServer(Scope scope) noexcept;
// Removes what registerServer wrote; keys that are absent count as removed.
HRESULT unregisterServer(Scope scope) noexcept;

} // namespace pkw::library
