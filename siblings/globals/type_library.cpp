#include "siblings/globals/type_library.h"

#include "common/com/hresult.h"
#include "common/com/module.h"

#include <wrl/client.h>

#include <new>
#include <string>

namespace pkw::globals {

HRESULT loadTypeLibrary(ITypeLib** library) noexcept {
    if (!library) return E_POINTER;
    *library = nullptr;
    try {
        // oleaut32 keeps loaded libraries by path, so repeated loads are cheap.
        const std::wstring path = module::path();
        if (path.empty()) return HRESULT_FROM_WIN32(::GetLastError());
        return ::LoadTypeLibEx(path.c_str(), REGKIND_NONE, library);
    } catch (const std::bad_alloc&) {
        return E_OUTOFMEMORY;
    }
}

HRESULT loadTypeInfo(REFGUID guid, ITypeInfo** info) noexcept {
    if (!info) return E_POINTER;
    *info = nullptr;
    Microsoft::WRL::ComPtr<ITypeLib> library;
    PKW_RETURN_IF_FAILED(loadTypeLibrary(&library));
    return library->GetTypeInfoOfGuid(guid, info);
}

} // namespace pkw::globals
