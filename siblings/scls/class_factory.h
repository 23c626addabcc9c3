// The class factory handed out by DllGetClassObject, one per request.
#pragma once

#include "siblings/scls/class_table.h"

#include <unknwn.h>

namespace pkw::scls {

class ClassFactory : public IClassFactory {
public:
    explicit ClassFactory(const ClassEntry& entry) noexcept : entry_(entry) {}

    void* findInterface(REFIID iid) noexcept;

    STDMETHODIMP CreateInstance(IUnknown* outer, REFIID iid, void** ppv) noexcept override;
    STDMETHODIMP LockServer(BOOL lock) noexcept override;

private:
    const ClassEntry& entry_;
};

HRESULT createClassFactory(const ClassEntry& entry, REFIID iid, void** ppv);

} // namespace pkw::scls
