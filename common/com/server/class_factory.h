// The one class factory: DllGetClassObject hands out a new one per request
// for any class of the table, registered or not.
#pragma once

#include "common/com/server/class_entry.h"
#include "common/com/server/object.h"

namespace pkw::com {

class ClassFactory : public IClassFactory {
public:
    using Interfaces = InterfaceMap<IClassFactory>;

    explicit ClassFactory(const ClassEntry& entry) noexcept : entry_(entry) {}

    STDMETHODIMP CreateInstance(IUnknown* outer, REFIID iid, void** ppv) noexcept override;
    STDMETHODIMP LockServer(BOOL lock) noexcept override;

private:
    const ClassEntry& entry_;
};

HRESULT getClassObject(const Server& server, REFCLSID clsid, REFIID iid, void** ppv) noexcept;

} // namespace pkw::com
