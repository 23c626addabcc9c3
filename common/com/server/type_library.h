// The type libraries embedded in this module as TYPELIB resources, loaded
// without registration and kept for the module's life. Resource 1 is the
// public library that registration writes; a module may carry more (a
// private library for classes it never registers).
#pragma once

#include <oaidl.h>
#include <windows.h>

namespace pkw::com {

inline constexpr UINT kPublicTypeLibrary = 1;

HRESULT loadTypeLibrary(UINT resource, ITypeLib** library) noexcept;

// The type information for a class, interface, dispinterface or record,
// from whichever of the module's type libraries describes it.
HRESULT typeInfoOf(REFGUID guid, ITypeInfo** info) noexcept;

} // namespace pkw::com
