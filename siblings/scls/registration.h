// Self-registration: the classes' keys under HKEY_CLASSES_ROOT, written from
// the class table, and the embedded type library. Unregistering removes
// exactly the key trees written here and the type library's registration.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace pkw::scls {

struct RegistryValue {
    std::wstring key;  // below HKEY_CLASSES_ROOT
    std::wstring name; // empty: the key's default value
    std::wstring data;
};

std::vector<RegistryValue> registryValues(const std::wstring& dllPath);
// The key trees that belong to this DLL alone (removed whole).
std::vector<std::wstring> ownedKeys();

HRESULT registerServer();
HRESULT unregisterServer();

} // namespace pkw::scls
