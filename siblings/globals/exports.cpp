// The four exports of an in-process COM server.
#include "common/com/module.h"
#include "siblings/globals/class_table.h"
#include "siblings/globals/registration.h"

#include <olectl.h>
#include <windows.h>

STDAPI DllGetClassObject(REFCLSID clsid, REFIID iid, void** ppv) {
    return pkw::globals::getClassObject(clsid, iid, ppv);
}

STDAPI DllCanUnloadNow() {
    return pkw::module::lockCount() == 0 ? S_OK : S_FALSE;
}

STDAPI DllRegisterServer() {
    return pkw::globals::registerServer();
}

STDAPI DllUnregisterServer() {
    return pkw::globals::unregisterServer();
}
