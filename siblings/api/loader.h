// Finding and loading the sibling DLLs that sit beside the calling module.
//
//   PathBesideThisModule  full path of a file in this module's folder
//   LoadSiblingModule     loads a sibling DLL once; it stays loaded for the process
//   CreateSiblingObject   creates a COM object straight from a sibling DLL's
//                         DllGetClassObject, without any registration
#pragma once

#include <windows.h>
#include <unknwn.h>

#include <string>

namespace pkw::sib {

// The folder of the module (DLL or program) that holds this code, plus fileName.
std::wstring PathBesideThisModule(const wchar_t* fileName);

// Loads the DLL from this module's folder (never from the search path); null
// when it cannot be loaded (GetLastError says why).
HMODULE LoadSiblingModule(const wchar_t* dll);

HRESULT CreateSiblingObject(const wchar_t* dll, REFCLSID clsid, REFIID iid, void** ppv);

} // namespace pkw::sib
