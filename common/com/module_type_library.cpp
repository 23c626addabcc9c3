#include "common/com/module_type_library.h"

namespace pkw::com {

HRESULT loadModuleTypeLibrary(const std::wstring& modulePath, UINT resource,
                              ITypeLib** library) noexcept {
    if (!library) return E_POINTER;
    *library = nullptr;
    if (modulePath.empty()) return E_INVALIDARG;
    try {
        std::wstring path = modulePath;
        // oleaut32 reads resource n of a module from "<path>\n"; 1 is the default.
        if (resource != 1) path += L"\\" + std::to_wstring(resource);
        // REGKIND_NONE: being read must not register the library as a side effect.
        return ::LoadTypeLibEx(path.c_str(), REGKIND_NONE, library);
    } catch (...) {
        return E_OUTOFMEMORY;
    }
}

} // namespace pkw::com
