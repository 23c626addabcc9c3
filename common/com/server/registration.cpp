#include "common/com/server/registration.h"

#include "common/com/hresult.h"
#include "common/com/module.h"
#include "common/com/server/registration_entries.h"
#include "common/com/server/registry.h"
#include "common/com/server/type_library_registration.h"

#include <olectl.h>

#include <cwchar>
#include <string>
#include <vector>

namespace pkw::com {
namespace {

// HKLM\Software\Classes or HKCU\Software\Classes, opened for writing.
UniqueRegKey openClassesRoot(Scope scope) noexcept {
    const HKEY hive = scope == Scope::Machine ? HKEY_LOCAL_MACHINE : HKEY_CURRENT_USER;
    UniqueRegKey key;
    (void)createRegistryKey(hive, L"Software\\Classes", KEY_ALL_ACCESS, key);
    return key;
}

HRESULT rootMissing(Scope scope) noexcept {
    return scope == Scope::Machine ? E_ACCESSDENIED : SELFREG_E_CLASS;
}

bool within(const std::wstring& key, const std::wstring& root) {
    return key.size() >= root.size() && key.compare(0, root.size(), root) == 0 &&
           (key.size() == root.size() || key[root.size()] == L'\\');
}

// A ProgID whose CLSID value names another class belongs to that class now.
bool ownsRoot(HKEY classesRoot, const RegistryRoot& root) {
    if (!root.ownerClsid) return true;
    const auto named = readRegistryString(classesRoot, root.key + L"\\CLSID", L"");
    return !named || ::_wcsicmp(named->c_str(), root.ownerClsid->c_str()) == 0;
}

// Removes the class's values, then each key it made once nothing is left
// in it, from the deepest up to the class's top keys.
HRESULT removeClassKeys(HKEY classesRoot, const ClassKeys& keys) {
    std::vector<std::wstring> owned;
    for (const RegistryRoot& root : keys.roots)
        if (ownsRoot(classesRoot, root)) owned.push_back(root.key);
    HRESULT result = S_OK;
    for (auto entry = keys.entries.rbegin(); entry != keys.entries.rend(); ++entry) {
        const std::wstring* top = nullptr;
        for (const std::wstring& root : owned)
            if (within(entry->key, root)) top = &root;
        if (!top) continue;
        if (entry->data) {
            const HRESULT hr = deleteRegistryValue(classesRoot, entry->key, entry->name);
            if (FAILED(hr) && SUCCEEDED(result)) result = hr;
        }
        for (std::wstring key = entry->key; within(key, *top); key.resize(key.rfind(L'\\'))) {
            if (!deleteRegistryKeyIfEmpty(classesRoot, key) || key.size() == top->size()) break;
        }
    }
    return result;
}

std::vector<ClassKeys> allClassKeys(const Server& server) {
    TypeLibraryName library;
    if (FAILED(publicTypeLibraryName(library))) library = {};
    const std::wstring path = module::path();
    std::vector<ClassKeys> all;
    for (const ClassEntry* cls : server.classes)
        all.push_back(classKeys(server, *cls, library, path));
    return all;
}

HRESULT unregisterAll(const Server& server, Scope scope, HKEY classesRoot) {
    HRESULT result = S_OK;
    for (const ClassKeys& keys : allClassKeys(server))
        if (FAILED(removeClassKeys(classesRoot, keys))) result = SELFREG_E_CLASS;
    if (FAILED(unregisterTypeLibrary(scope, classesRoot))) result = SELFREG_E_TYPELIB;
    return result;
}

} // namespace

HRESULT registerServer(const Server& server, Scope scope) noexcept {
    try {
        const UniqueRegKey root = openClassesRoot(scope);
        if (!root) return rootMissing(scope);
        TypeLibraryName library;
        if (module::path().empty() || FAILED(publicTypeLibraryName(library)))
            return SELFREG_E_TYPELIB;
        HRESULT failure = S_OK;
        if (FAILED(registerTypeLibrary(scope, root.get()))) failure = SELFREG_E_TYPELIB;
        for (const ClassKeys& keys : allClassKeys(server))
            for (const RegistryEntry& e : keys.entries)
                if (SUCCEEDED(failure) &&
                    FAILED(writeRegistryString(root.get(), e.key, e.name, e.data)))
                    failure = SELFREG_E_CLASS;
        // Leave nothing half-written.
        if (FAILED(failure)) ignore(unregisterAll(server, scope, root.get()));
        return failure;
    } catch (...) {
        return E_OUTOFMEMORY;
    }
}

HRESULT unregisterServer(const Server& server, Scope scope) noexcept {
    try {
        const UniqueRegKey root = openClassesRoot(scope);
        if (!root) return rootMissing(scope);
        return unregisterAll(server, scope, root.get());
    } catch (...) {
        return E_OUTOFMEMORY;
    }
}

} // namespace pkw::com
