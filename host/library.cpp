#include "host/library.h"

#include "common/com/hresult.h"

#include <map>

namespace pkw::test {
namespace {

using DllRegisterServerFn = HRESULT(STDAPICALLTYPE*)();
using DllGetClassObjectFn = HRESULT(STDAPICALLTYPE*)(REFCLSID, REFIID, void**);
using DllCanUnloadNowFn = HRESULT(STDAPICALLTYPE*)();

template <typename Fn>
HRESULT entry(const std::wstring& path, const char* name, Fn& fn) {
    HMODULE module = nullptr;
    PKW_RETURN_IF_FAILED(loadLibrary(path, module));
    fn = reinterpret_cast<Fn>(reinterpret_cast<void*>(::GetProcAddress(module, name)));
    return fn ? S_OK : HRESULT_FROM_WIN32(ERROR_PROC_NOT_FOUND);
}

} // namespace

std::wstring programFolder() {
    std::wstring path(MAX_PATH, L'\0');
    for (;;) {
        const DWORD n = ::GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
        if (n == 0) return {};
        if (n < path.size()) {
            path.resize(n);
            break;
        }
        path.resize(path.size() * 2);
    }
    const auto slash = path.find_last_of(L"\\/");
    path.resize(slash == std::wstring::npos ? 0 : slash + 1);
    return path;
}

std::wstring besideProgram(const wchar_t* fileName) {
    return programFolder() + fileName;
}

HRESULT loadLibrary(const std::wstring& path, HMODULE& module) {
    // Loaded once and kept: objects of the library may live until the end.
    static std::map<std::wstring, HMODULE> loaded;
    if (auto it = loaded.find(path); it != loaded.end()) {
        module = it->second;
        return S_OK;
    }
    if (::GetFileAttributesW(path.c_str()) == INVALID_FILE_ATTRIBUTES)
        return HRESULT_FROM_WIN32(ERROR_MOD_NOT_FOUND);
    module = ::LoadLibraryW(path.c_str());
    if (!module) return HRESULT_FROM_WIN32(::GetLastError());
    loaded.emplace(path, module);
    return S_OK;
}

HRESULT registerLibrary(const std::wstring& path) {
    static std::map<std::wstring, HRESULT> results;
    if (auto it = results.find(path); it != results.end()) return it->second;
    DllRegisterServerFn fn = nullptr;
    HRESULT hr = entry(path, "DllRegisterServer", fn);
    if (SUCCEEDED(hr)) hr = fn();
    results.emplace(path, hr);
    return hr;
}

HRESULT createByProgId(const wchar_t* progId, ComPtr<IUnknown>& object) {
    if (!progId) return E_POINTER;
    CLSID clsid{};
    PKW_RETURN_IF_FAILED(::CLSIDFromProgID(progId, &clsid));
    return createByClsid(clsid, object);
}

HRESULT createByClsid(REFCLSID clsid, ComPtr<IUnknown>& object) {
    return ::CoCreateInstance(clsid, nullptr, CLSCTX_INPROC_SERVER,
                              IID_PPV_ARGS(object.ReleaseAndGetAddressOf()));
}

HRESULT createFromDll(const std::wstring& path, REFCLSID clsid, ComPtr<IUnknown>& object) {
    DllGetClassObjectFn fn = nullptr;
    PKW_RETURN_IF_FAILED(entry(path, "DllGetClassObject", fn));
    ComPtr<IClassFactory> factory;
    PKW_RETURN_IF_FAILED(
        fn(clsid, IID_IClassFactory, reinterpret_cast<void**>(factory.GetAddressOf())));
    return factory->CreateInstance(nullptr, IID_PPV_ARGS(object.ReleaseAndGetAddressOf()));
}

HRESULT dllCanUnloadNow(const std::wstring& path) {
    DllCanUnloadNowFn fn = nullptr;
    PKW_RETURN_IF_FAILED(entry(path, "DllCanUnloadNow", fn));
    return fn();
}

} // namespace pkw::test
