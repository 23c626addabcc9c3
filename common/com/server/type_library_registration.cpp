#include "common/com/server/type_library_registration.h"

#include "common/com/hresult.h"
#include "common/com/module.h"
#include "common/com/server/registry.h"
#include "common/com/server/type_library.h"

#include <oleauto.h>
#include <olectl.h>
#include <wrl/client.h>

#include <cwchar>
#include <string>

// oleaut32 exports these (Vista and later); MinGW's oleauto.h does not
// declare them.
extern "C" {
DECLSPEC_IMPORT HRESULT WINAPI RegisterTypeLibForUser(ITypeLib* typeLib, OLECHAR* fullPath,
                                                      OLECHAR* helpDir);
DECLSPEC_IMPORT HRESULT WINAPI UnRegisterTypeLibForUser(REFGUID libId, WORD major, WORD minor,
                                                        LCID lcid, SYSKIND sysKind);
}

namespace pkw::com {
namespace {

using Microsoft::WRL::ComPtr;

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

struct LibraryAttributes {
    GUID libid;
    WORD major;
    WORD minor;
    LCID lcid;
    SYSKIND syskind;
};

HRESULT publicLibrary(ComPtr<ITypeLib>& library, LibraryAttributes& attributes) noexcept {
    PKW_RETURN_IF_FAILED(loadTypeLibrary(kPublicTypeLibrary, &library));
    TLIBATTR* attr = nullptr;
    PKW_RETURN_IF_FAILED(library->GetLibAttr(&attr));
    attributes = {attr->guid, attr->wMajorVerNum, attr->wMinorVerNum, attr->lcid, attr->syskind};
    library->ReleaseTLibAttr(attr);
    return S_OK;
}

// oleaut32 writes the version in hexadecimal.
std::wstring versionText(const LibraryAttributes& a) {
    wchar_t text[16] = {};
    ::swprintf(text, 16, L"%x.%x", a.major, a.minor);
    return text;
}

} // namespace

HRESULT publicTypeLibraryName(TypeLibraryName& name) noexcept {
    try {
        ComPtr<ITypeLib> library;
        LibraryAttributes a{};
        PKW_RETURN_IF_FAILED(publicLibrary(library, a));
        name = {guidText(a.libid), versionText(a)};
        return S_OK;
    } catch (const std::bad_alloc&) {
        return E_OUTOFMEMORY;
    }
}

HRESULT registerTypeLibrary(Scope scope, HKEY classesRoot) noexcept {
    try {
        std::wstring path = module::path();
        if (path.empty()) return SELFREG_E_TYPELIB;
        ComPtr<ITypeLib> library;
        LibraryAttributes a{};
        PKW_RETURN_IF_FAILED(publicLibrary(library, a));
        if (scope == Scope::Machine) return ::RegisterTypeLib(library.Get(), path.data(), nullptr);
        const ClassesRootOverride redirect(classesRoot);
        if (!redirect.active()) return SELFREG_E_TYPELIB;
        return ::RegisterTypeLibForUser(library.Get(), path.data(), nullptr);
    } catch (const std::bad_alloc&) {
        return E_OUTOFMEMORY;
    }
}

HRESULT unregisterTypeLibrary(Scope scope, HKEY classesRoot) noexcept {
    try {
        ComPtr<ITypeLib> library;
        LibraryAttributes a{};
        PKW_RETURN_IF_FAILED(publicLibrary(library, a));
        // Nothing registered in this scope: nothing to remove (and oleaut32
        // would report the missing key as a failure).
        if (!registryKeyExists(classesRoot,
                               L"TypeLib\\" + guidText(a.libid) + L"\\" + versionText(a)))
            return S_OK;
        if (scope == Scope::Machine)
            return ::UnRegisterTypeLib(a.libid, a.major, a.minor, a.lcid, a.syskind);
        const ClassesRootOverride redirect(classesRoot);
        if (!redirect.active()) return SELFREG_E_TYPELIB;
        return ::UnRegisterTypeLibForUser(a.libid, a.major, a.minor, a.lcid, a.syskind);
    } catch (const std::bad_alloc&) {
        return E_OUTOFMEMORY;
    }
}

} // namespace pkw::com
