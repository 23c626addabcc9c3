// Registration of the module's public type library (resource TYPELIB 1),
// machine-wide or below one user's classes root.
#pragma once

#include "common/com/server/registration.h"
#include "common/com/server/registration_entries.h"

namespace pkw::com {

// The LIBID and version of the public library, as class keys name them.
HRESULT publicTypeLibraryName(TypeLibraryName& name) noexcept;

HRESULT registerTypeLibrary(Scope scope, HKEY classesRoot) noexcept;
HRESULT unregisterTypeLibrary(Scope scope, HKEY classesRoot) noexcept;

} // namespace pkw::com
