#include "siblings/scls/type_library.h"

#include "common/com/module.h"

namespace pkw::scls {

HRESULT loadTypeLibrary(ITypeLib** library) {
    if (!library) return E_POINTER;
    *library = nullptr;
    // oleaut32 keeps loaded libraries by path, so repeated loads are cheap.
    return ::LoadTypeLibEx(module::path().c_str(), REGKIND_NONE, library);
}

HRESULT loadTypeInfo(REFGUID guid, ITypeInfo** info) {
    if (!info) return E_POINTER;
    *info = nullptr;
    ComPtr<ITypeLib> library;
    PKW_RETURN_IF_FAILED(loadTypeLibrary(&library));
    return library->GetTypeInfoOfGuid(guid, info);
}

} // namespace pkw::scls
