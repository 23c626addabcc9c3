// Self-registration of a server from its class table and its public type
// library, for the machine (HKLM\Software\Classes) or for the current user
// (HKCU\Software\Classes). Unregistering removes exactly what registering
// wrote: a key that holds anything another program put there stays, with
// that content, and a ProgID another class has taken over stays whole.
#pragma once

#include "common/com/server/class_entry.h"

namespace pkw::com {

enum class Scope { Machine, User };

HRESULT registerServer(const Server& server, Scope scope) noexcept;
// Keys that are absent count as removed.
HRESULT unregisterServer(const Server& server, Scope scope) noexcept;

} // namespace pkw::com
