// The creatable classes of this DLL: the one table that the class factory
// and the registration walk.
#pragma once

#include <windows.h>

#include <span>

namespace pkw::globals {

struct ClassInfo {
    const CLSID* clsid;
    const wchar_t* name; // also the ProgID's last part: zelGlobals40.<name>
    HRESULT (*create)(REFIID iid, void** ppv) noexcept;
};

std::span<const ClassInfo> classes() noexcept;

// DllGetClassObject: a class factory for one of the classes.
HRESULT getClassObject(REFCLSID clsid, REFIID iid, void** ppv) noexcept;

} // namespace pkw::globals
