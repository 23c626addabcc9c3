// DllRegisterServer / DllUnregisterServer: the classes of class_table.h and
// the embedded type library. Unregistering removes only what registering
// wrote: a key that holds anything else stays.
#pragma once

#include <windows.h>

namespace pkw::globals {

HRESULT registerServer() noexcept;
HRESULT unregisterServer() noexcept;

} // namespace pkw::globals
