// The classes this DLL serves: one table drives the class factory and the
// registration.
#pragma once

#include <windows.h>

#include <span>

namespace pkw::scls {

struct ClassEntry {
    const CLSID& clsid;
    const wchar_t* name;        // the ProgID is zelSCls40.<name>
    const wchar_t* description; // default value of the class keys
    HRESULT (*create)(REFIID iid, void** ppv);
};

std::span<const ClassEntry> classTable() noexcept;
const ClassEntry* findClass(REFCLSID clsid) noexcept;

inline constexpr const wchar_t* kProgIdPrefix = L"zelSCls40.";

} // namespace pkw::scls
