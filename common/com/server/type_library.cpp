#include "common/com/server/type_library.h"

#include "common/com/hresult.h"
#include "common/com/module.h"
#include "common/com/module_type_library.h"

#include <wrl/client.h>

#include <algorithm>
#include <mutex>
#include <string>
#include <utility>
#include <vector>

namespace pkw::com {
namespace {

using Microsoft::WRL::ComPtr;

struct Loaded {
    UINT resource;
    ComPtr<ITypeLib> library;
};

// Guarded by cacheMutex(): objects of several apartments share the cache.
std::mutex& cacheMutex() {
    static std::mutex m;
    return m;
}
std::vector<Loaded>& cache() {
    static std::vector<Loaded> loaded;
    return loaded;
}

BOOL CALLBACK collectId(HMODULE, LPCWSTR, LPWSTR name, LONG_PTR param) {
    if (IS_INTRESOURCE(name))
        reinterpret_cast<std::vector<UINT>*>(param)->push_back(
            static_cast<UINT>(reinterpret_cast<ULONG_PTR>(name)));
    return TRUE;
}

// The module's TYPELIB resource ids, in ascending order.
std::vector<UINT> typeLibraryIds() {
    std::vector<UINT> ids;
    ::EnumResourceNamesW(module::handle(), L"TYPELIB", &collectId,
                         reinterpret_cast<LONG_PTR>(&ids));
    std::sort(ids.begin(), ids.end());
    return ids;
}

HRESULT loadUncached(UINT resource, ITypeLib** library) {
    const std::wstring path = module::path();
    if (path.empty()) return HRESULT_FROM_WIN32(::GetLastError());
    return loadModuleTypeLibrary(path, resource, library);
}

} // namespace

HRESULT loadTypeLibrary(UINT resource, ITypeLib** library) noexcept {
    if (!library) return E_POINTER;
    *library = nullptr;
    try {
        std::lock_guard lock(cacheMutex());
        for (const Loaded& l : cache())
            if (l.resource == resource) return l.library.CopyTo(library);
        ComPtr<ITypeLib> loaded;
        PKW_RETURN_IF_FAILED(loadUncached(resource, &loaded));
        cache().push_back({resource, loaded});
        return loaded.CopyTo(library);
    } catch (const std::bad_alloc&) {
        return E_OUTOFMEMORY;
    } catch (...) {
        return E_FAIL;
    }
}

HRESULT typeInfoOf(REFGUID guid, ITypeInfo** info) noexcept {
    if (!info) return E_POINTER;
    *info = nullptr;
    try {
        HRESULT result = TYPE_E_ELEMENTNOTFOUND;
        for (const UINT id : typeLibraryIds()) {
            ComPtr<ITypeLib> library;
            const HRESULT loaded = loadTypeLibrary(id, &library);
            if (FAILED(loaded)) {
                result = loaded;
                continue;
            }
            if (SUCCEEDED(library->GetTypeInfoOfGuid(guid, info))) return S_OK;
        }
        return result;
    } catch (const std::bad_alloc&) {
        return E_OUTOFMEMORY;
    }
}

} // namespace pkw::com
