#include "siblings/api/loader.h"

#include <wrl/client.h>

#include <map>
#include <mutex>

namespace pkw::sib {
namespace {

HMODULE ThisModule() {
    HMODULE module = nullptr;
    ::GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS |
                             GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                         reinterpret_cast<LPCWSTR>(&ThisModule), &module);
    return module;
}

std::wstring ThisModuleFolder() {
    std::wstring path(MAX_PATH, L'\0');
    for (;;) {
        const DWORD n = ::GetModuleFileNameW(ThisModule(), path.data(), DWORD(path.size()));
        if (n == 0) return {};
        if (n < path.size()) {
            path.resize(n);
            break;
        }
        path.resize(path.size() * 2);
    }
    const auto slash = path.find_last_of(L"\\/");
    return slash == std::wstring::npos ? std::wstring{} : path.substr(0, slash + 1);
}

// Modules loaded so far, by the name the caller gave; never freed.
struct ModuleCache {
    std::mutex lock;
    std::map<std::wstring, HMODULE> modules;
};

ModuleCache& Cache() {
    static ModuleCache cache;
    return cache;
}

} // namespace

std::wstring PathBesideThisModule(const wchar_t* fileName) {
    static const std::wstring folder = ThisModuleFolder();
    return folder + (fileName ? fileName : L"");
}

HMODULE LoadSiblingModule(const wchar_t* dll) {
    if (!dll || !*dll) {
        ::SetLastError(ERROR_INVALID_PARAMETER);
        return nullptr;
    }
    ModuleCache& cache = Cache();
    std::lock_guard guard(cache.lock);
    if (const auto it = cache.modules.find(dll); it != cache.modules.end()) return it->second;
    // The altered search path lets the sibling find its own dependencies in
    // its folder too.
    const HMODULE module =
        ::LoadLibraryExW(PathBesideThisModule(dll).c_str(), nullptr, LOAD_WITH_ALTERED_SEARCH_PATH);
    if (module) cache.modules.emplace(dll, module);
    return module;
}

HRESULT CreateSiblingObject(const wchar_t* dll, REFCLSID clsid, REFIID iid, void** ppv) {
    if (!ppv) return E_POINTER;
    *ppv = nullptr;
    const HMODULE module = LoadSiblingModule(dll);
    if (!module) {
        const DWORD error = ::GetLastError();
        return error ? HRESULT_FROM_WIN32(error) : E_FAIL;
    }
    using GetClassObject = HRESULT(STDAPICALLTYPE*)(REFCLSID, REFIID, void**);
    const FARPROC proc = ::GetProcAddress(module, "DllGetClassObject");
    if (!proc) return HRESULT_FROM_WIN32(ERROR_PROC_NOT_FOUND);
    const auto getClassObject = reinterpret_cast<GetClassObject>(reinterpret_cast<void*>(proc));

    Microsoft::WRL::ComPtr<IClassFactory> factory;
    HRESULT hr = getClassObject(clsid, IID_PPV_ARGS(&factory));
    if (FAILED(hr)) return hr;
    if (!factory) return E_UNEXPECTED;
    return factory->CreateInstance(nullptr, iid, ppv);
}

} // namespace pkw::sib
