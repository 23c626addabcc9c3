#include "library/class_registration.h"

#include "common/com/hresult.h"
#include "library/registration_entries.h"
#include "library/registry_key.h"

#include <wchar.h>

namespace pkw::library {

HRESULT registerClassKeys(HKEY classesRoot, const ax::ControlClass& cls,
                          const std::wstring& serverPath) {
    for (const RegistryEntry& entry : classRegistryEntries(cls, serverPath))
        PKW_RETURN_IF_FAILED(writeRegistryString(classesRoot, entry.key, entry.name, entry.data));
    return S_OK;
}

HRESULT unregisterClassKeys(HKEY classesRoot, const ax::ControlClass& cls) {
    HRESULT result = S_OK;
    for (const OwnedKey& owned : classOwnedKeys(cls)) {
        if (owned.ownerClsid) {
            const auto current = readRegistryString(classesRoot, owned.key + L"\\CLSID", L"");
            if (current && ::_wcsicmp(current->c_str(), owned.ownerClsid->c_str()) != 0) continue;
        }
        const HRESULT hr = deleteRegistryTree(classesRoot, owned.key);
        if (FAILED(hr) && SUCCEEDED(result)) result = hr;
    }
    return result;
}

} // namespace pkw::library
