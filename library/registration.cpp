#include "library/registration.h"

#include "common/com/hresult.h"
#include "common/com/module.h"
#include "library/class_registration.h"
#include "library/class_table.h"
#include "library/registry_key.h"
#include "library/type_library_registration.h"

#include <olectl.h>

namespace pkw::library {
namespace {

// HKLM\Software\Classes or HKCU\Software\Classes, opened for writing.
UniqueRegKey openClassesRoot(Scope scope) noexcept {
    HKEY raw = nullptr;
    const HKEY hive = scope == Scope::Machine ? HKEY_LOCAL_MACHINE : HKEY_CURRENT_USER;
    if (::RegCreateKeyExW(hive, L"Software\\Classes", 0, nullptr, REG_OPTION_NON_VOLATILE,
                          KEY_ALL_ACCESS, nullptr, &raw, nullptr) != ERROR_SUCCESS)
        return {};
    return UniqueRegKey(raw);
}

HRESULT unregisterAll(Scope scope, HKEY root) {
    HRESULT result = S_OK;
    for (const ax::ControlClass* cls : classTable()) {
        if (!cls->isPublic) continue;
        if (FAILED(unregisterClassKeys(root, *cls))) result = SELFREG_E_CLASS;
    }
    if (FAILED(unregisterTypeLibrary(scope, root))) result = SELFREG_E_TYPELIB;
    return result;
}

} // namespace

HRESULT registerServer(Scope scope) noexcept {
    try {
        const UniqueRegKey root = openClassesRoot(scope);
        if (!root) return scope == Scope::Machine ? E_ACCESSDENIED : SELFREG_E_CLASS;
        const std::wstring serverPath = module::path();
        if (serverPath.empty()) return SELFREG_E_CLASS;

        HRESULT hr = registerTypeLibrary(scope, root.get());
        if (FAILED(hr)) {
            pkw::ignore(unregisterAll(scope, root.get())); // leave nothing half-written
            return SELFREG_E_TYPELIB;
        }
        for (const ax::ControlClass* cls : classTable()) {
            if (!cls->isPublic) continue;
            hr = registerClassKeys(root.get(), *cls, serverPath);
            if (FAILED(hr)) {
                pkw::ignore(unregisterAll(scope, root.get()));
                return SELFREG_E_CLASS;
            }
        }
        return S_OK;
    } catch (...) {
        return E_OUTOFMEMORY;
    }
}

HRESULT unregisterServer(Scope scope) noexcept {
    try {
        const UniqueRegKey root = openClassesRoot(scope);
        if (!root) return scope == Scope::Machine ? E_ACCESSDENIED : SELFREG_E_CLASS;
        return unregisterAll(scope, root.get());
    } catch (...) {
        return E_OUTOFMEMORY;
    }
}

} // namespace pkw::library
