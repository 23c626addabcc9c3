// Per-DLL bookkeeping for DllCanUnloadNow and for finding the DLL's own
// files: each DLL links its own copy, so the counts are that DLL's.
#pragma once

#include <windows.h>

#include <string>

namespace pkw::module {

// Live objects and IClassFactory::LockServer locks of this DLL.
void lock() noexcept;
void unlock() noexcept;
LONG lockCount() noexcept;

// This DLL's module handle (found from an address inside it).
HMODULE handle() noexcept;
// Full path of this DLL, and of a file in the same folder.
std::wstring path();
std::wstring siblingPath(const wchar_t* fileName);

// RAII: one object of this DLL alive.
class ObjectLock {
public:
    ObjectLock() noexcept { lock(); }
    ObjectLock(const ObjectLock&) noexcept { lock(); }
    ObjectLock& operator=(const ObjectLock&) noexcept { return *this; }
    ~ObjectLock() { unlock(); }
};

} // namespace pkw::module
