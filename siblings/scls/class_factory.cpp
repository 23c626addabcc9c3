#include "siblings/scls/class_factory.h"

#include "common/com/module.h"
#include "siblings/scls/com_object.h"

namespace pkw::scls {

void* ClassFactory::findInterface(REFIID iid) noexcept {
    return iid == IID_IUnknown || iid == IID_IClassFactory ? static_cast<IClassFactory*>(this)
                                                           : nullptr;
}

STDMETHODIMP ClassFactory::CreateInstance(IUnknown* outer, REFIID iid, void** ppv) noexcept {
    if (!ppv) return E_POINTER;
    *ppv = nullptr;
    if (outer) return CLASS_E_NOAGGREGATION;
    return entry_.create(iid, ppv);
}

STDMETHODIMP ClassFactory::LockServer(BOOL lock) noexcept {
    if (lock) {
        module::lock();
    } else {
        module::unlock();
    }
    return S_OK;
}

HRESULT createClassFactory(const ClassEntry& entry, REFIID iid, void** ppv) {
    return createObject<ClassFactory>(iid, ppv, entry);
}

} // namespace pkw::scls
