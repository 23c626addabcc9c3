// The exports of zelPickwell40.ocx (named without decoration by the .def
// file in both builds).
#include "common/com/module.h"
#include "library/class_factory.h"
#include "library/class_table.h"
#include "library/registration.h"

#include <olectl.h>
#include <windows.h>

#include <cwchar>

namespace {

// DllInstall's command line: "user" (or "-user") for the current user's
// classes, nothing for the machine.
bool parseInstallScope(const wchar_t* commandLine, pkw::library::Scope* scope) {
    if (!commandLine || !*commandLine) {
        *scope = pkw::library::Scope::Machine;
        return true;
    }
    if (::_wcsicmp(commandLine, L"user") == 0 || ::_wcsicmp(commandLine, L"-user") == 0) {
        *scope = pkw::library::Scope::User;
        return true;
    }
    return false;
}

} // namespace

extern "C" {

BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID) {
    if (reason == DLL_PROCESS_ATTACH) ::DisableThreadLibraryCalls(instance);
    return TRUE;
}

HRESULT WINAPI DllGetClassObject(REFCLSID clsid, REFIID riid, void** ppv) {
    if (!ppv) return E_POINTER;
    *ppv = nullptr;
    const pkw::ax::ControlClass* cls = pkw::library::findPublicClass(clsid);
    if (!cls) return CLASS_E_CLASSNOTAVAILABLE;
    return pkw::library::createClassFactory(*cls, riid, ppv);
}

HRESULT WINAPI DllCanUnloadNow() {
    return pkw::module::lockCount() == 0 ? S_OK : S_FALSE;
}

HRESULT WINAPI DllRegisterServer() {
    return pkw::library::registerServer(pkw::library::Scope::Machine);
}

HRESULT WINAPI DllUnregisterServer() {
    return pkw::library::unregisterServer(pkw::library::Scope::Machine);
}

HRESULT WINAPI DllInstall(BOOL install, LPCWSTR commandLine) {
    pkw::library::Scope scope;
    if (!parseInstallScope(commandLine, &scope)) return E_INVALIDARG;
    return install ? pkw::library::registerServer(scope) : pkw::library::unregisterServer(scope);
}

} // extern "C"
