// The exports of every COM server of the project, over the server's one
// class table (thisServer()). Each server DLL compiles this file and names
// the exports in exports.def.
#include "common/com/module.h"
#include "common/com/server/class_factory.h"
#include "common/com/server/registration.h"

#include <olectl.h>
#include <windows.h>

#include <cwchar>

namespace {

using pkw::com::Scope;
using pkw::com::thisServer;

// DllInstall's command line: "user" (or "-user") for the current user's
// classes, nothing for the machine.
bool parseInstallScope(const wchar_t* commandLine, Scope* scope) noexcept {
    if (!commandLine || !*commandLine) {
        *scope = Scope::Machine;
        return true;
    }
    if (::_wcsicmp(commandLine, L"user") == 0 || ::_wcsicmp(commandLine, L"-user") == 0) {
        *scope = Scope::User;
        return true;
    }
    return false;
}

} // namespace

extern "C" {

HRESULT WINAPI DllGetClassObject(REFCLSID clsid, REFIID iid, void** ppv) {
    try {
        return pkw::com::getClassObject(thisServer(), clsid, iid, ppv);
    } catch (...) {
        return E_OUTOFMEMORY;
    }
}

// Live objects, class factory locks and anything else that took a module
// lock (windows still routed through the module) keep it loaded.
HRESULT WINAPI DllCanUnloadNow() {
    return pkw::module::lockCount() == 0 ? S_OK : S_FALSE;
}

HRESULT WINAPI DllRegisterServer() {
    try {
        return pkw::com::registerServer(thisServer(), Scope::Machine);
    } catch (...) {
        return E_OUTOFMEMORY;
    }
}

HRESULT WINAPI DllUnregisterServer() {
    try {
        return pkw::com::unregisterServer(thisServer(), Scope::Machine);
    } catch (...) {
        return E_OUTOFMEMORY;
    }
}

HRESULT WINAPI DllInstall(BOOL install, LPCWSTR commandLine) {
    Scope scope = Scope::Machine;
    if (!parseInstallScope(commandLine, &scope)) return E_INVALIDARG;
    try {
        return install ? pkw::com::registerServer(thisServer(), scope)
                       : pkw::com::unregisterServer(thisServer(), scope);
    } catch (...) {
        return E_OUTOFMEMORY;
    }
}

} // extern "C"
