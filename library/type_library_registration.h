// Registration of the type library embedded in this module (resource
// TYPELIB 1), machine-wide or per user.
#pragma once

#include "library/registration.h"

namespace pkw::library {

HRESULT registerTypeLibrary(Scope scope, HKEY classesRoot) noexcept;
HRESULT unregisterTypeLibrary(Scope scope, HKEY classesRoot) noexcept;

} // namespace pkw::library
