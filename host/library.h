// Reaching a control library the way a container does: registered and
// created by ProgID or CLSID through COM, or registration-free straight
// from the DLL's class factory.
#pragma once

#include "host/com_object.h"

#include <string>

namespace pkw::host {

// The folder of the running program, with a trailing backslash.
std::wstring programFolder();
std::wstring besideProgram(const wchar_t* fileName);

// LoadLibrary + DllRegisterServer, once per process and path (the later
// calls return the first result). The library stays loaded.
HRESULT registerLibrary(const std::wstring& path);
// HRESULT_FROM_WIN32(ERROR_MOD_NOT_FOUND) when the file is not there.
HRESULT loadLibrary(const std::wstring& path, HMODULE& module);

HRESULT createByProgId(const wchar_t* progId, ComPtr<IUnknown>& object);
HRESULT createByClsid(REFCLSID clsid, ComPtr<IUnknown>& object);
// "{CLSID}" or a ProgID, through the registration.
HRESULT createByName(const std::wstring& name, ComPtr<IUnknown>& object);
// DllGetClassObject of the DLL at `path` (loaded once, kept loaded).
HRESULT createFromDll(const std::wstring& path, REFCLSID clsid, ComPtr<IUnknown>& object);
// The same for a class named "{CLSID}" or "Library.Class" (a ProgID): the
// class of that name in the type library of the DLL's resources.
// TYPE_E_ELEMENTNOTFOUND when the library has no such class.
HRESULT createFromLibrary(const std::wstring& path, const std::wstring& name,
                          ComPtr<IUnknown>& object);
// The DLL's DllCanUnloadNow (S_OK: no object and no lock left).
HRESULT dllCanUnloadNow(const std::wstring& path);

} // namespace pkw::host
