#include "common/com/server/class_factory.h"

#include "common/com/module.h"

namespace pkw::com {

const ClassEntry* findClass(const Server& server, REFCLSID clsid) noexcept {
    for (const ClassEntry* cls : server.classes)
        if (*cls->clsid == clsid) return cls;
    return nullptr;
}

HRESULT ClassFactory::CreateInstance(IUnknown* outer, REFIID iid, void** ppv) noexcept {
    if (!ppv) return E_POINTER;
    *ppv = nullptr;
    if (outer) return CLASS_E_NOAGGREGATION;
    try {
        return entry_.create(iid, ppv);
    } catch (const std::bad_alloc&) {
        return E_OUTOFMEMORY;
    } catch (...) {
        return E_FAIL;
    }
}

HRESULT ClassFactory::LockServer(BOOL lock) noexcept {
    if (lock)
        module::lock();
    else
        module::unlock();
    return S_OK;
}

HRESULT getClassObject(const Server& server, REFCLSID clsid, REFIID iid, void** ppv) noexcept {
    if (!ppv) return E_POINTER;
    *ppv = nullptr;
    const ClassEntry* cls = findClass(server, clsid);
    if (!cls) return CLASS_E_CLASSNOTAVAILABLE;
    return createObject<ClassFactory>(iid, ppv, *cls);
}

} // namespace pkw::com
