#include "library/type_library_registration.h"

#include "common/com/module.h"
#include "library/registration_entries.h"
#include "library/registry_key.h"
#include "zelPickwell40.h"

#include <oleauto.h>
#include <olectl.h>
#include <wrl/client.h>

#include <string>

// oleaut32 exports these (Vista and later); MinGW's oleauto.h does not
// declare them.
extern "C" {
DECLSPEC_IMPORT HRESULT WINAPI RegisterTypeLibForUser(ITypeLib* typeLib, OLECHAR* fullPath,
                                                      OLECHAR* helpDir);
DECLSPEC_IMPORT HRESULT WINAPI UnRegisterTypeLibForUser(REFGUID libId, WORD major, WORD minor,
                                                        LCID lcid, SYSKIND sysKind);
}

namespace pkw::library {
namespace {

using Microsoft::WRL::ComPtr;

constexpr SYSKIND kSysKind = sizeof(void*) == 8 ? SYS_WIN64 : SYS_WIN32;

// Sends HKEY_CLASSES_ROOT to the user's classes for the life of the scope.
// RegisterTypeLibForUser writes below HKCU by itself on Windows; Wine's falls
// back to the machine-wide RegisterTypeLib, which writes through
// HKEY_CLASSES_ROOT and so lands in the user's classes too.
class ClassesRootOverride {
public:
    explicit ClassesRootOverride(HKEY userClasses) noexcept
        : active_(::RegOverridePredefKey(HKEY_CLASSES_ROOT, userClasses) == ERROR_SUCCESS) {}
    ClassesRootOverride(const ClassesRootOverride&) = delete;
    ClassesRootOverride& operator=(const ClassesRootOverride&) = delete;
    ~ClassesRootOverride() {
        if (active_) ::RegOverridePredefKey(HKEY_CLASSES_ROOT, nullptr);
    }
    bool active() const noexcept { return active_; }

private:
    bool active_;
};

std::wstring typeLibraryKey() {
    return L"TypeLib\\" + guidText(LIBID_zelPickwell40) + L"\\" + kTypeLibVersion;
}

} // namespace

HRESULT registerTypeLibrary(Scope scope, HKEY classesRoot) noexcept {
    std::wstring path = module::path();
    if (path.empty()) return SELFREG_E_TYPELIB;
    ComPtr<ITypeLib> typeLib;
    HRESULT hr = ::LoadTypeLibEx(path.c_str(), REGKIND_NONE, &typeLib);
    if (FAILED(hr)) return hr;
    if (scope == Scope::Machine) return ::RegisterTypeLib(typeLib.Get(), path.data(), nullptr);
    const ClassesRootOverride redirect(classesRoot);
    if (!redirect.active()) return SELFREG_E_TYPELIB;
    return ::RegisterTypeLibForUser(typeLib.Get(), path.data(), nullptr);
}

HRESULT unregisterTypeLibrary(Scope scope, HKEY classesRoot) noexcept {
    // Nothing registered in this scope: nothing to remove (and oleaut32
    // would report the missing key as a failure).
    if (!registryKeyExists(classesRoot, typeLibraryKey())) return S_OK;
    if (scope == Scope::Machine)
        return ::UnRegisterTypeLib(LIBID_zelPickwell40, kTypeLibMajor, kTypeLibMinor,
                                   LOCALE_NEUTRAL, kSysKind);
    const ClassesRootOverride redirect(classesRoot);
    if (!redirect.active()) return SELFREG_E_TYPELIB;
    return ::UnRegisterTypeLibForUser(LIBID_zelPickwell40, kTypeLibMajor, kTypeLibMinor,
                                      LOCALE_NEUTRAL, kSysKind);
}

} // namespace pkw::library
