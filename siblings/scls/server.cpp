// The DLL's exports.
#include "common/com/module.h"
#include "siblings/scls/class_factory.h"
#include "siblings/scls/class_table.h"
#include "siblings/scls/registration.h"

#include <windows.h>

using namespace pkw::scls;

STDAPI DllGetClassObject(REFCLSID clsid, REFIID iid, void** ppv) {
    if (!ppv) return E_POINTER;
    *ppv = nullptr;
    const ClassEntry* entry = findClass(clsid);
    if (!entry) return CLASS_E_CLASSNOTAVAILABLE;
    return createClassFactory(*entry, iid, ppv);
}

// Objects, server locks and windows still routed through our procedure
// all keep the DLL loaded.
STDAPI DllCanUnloadNow() {
    return pkw::module::lockCount() == 0 ? S_OK : S_FALSE;
}

STDAPI DllRegisterServer() {
    return registerServer();
}

STDAPI DllUnregisterServer() {
    return unregisterServer();
}
