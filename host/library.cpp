#include "host/library.h"

#include "common/com/bstr.h"
#include "common/com/hresult.h"
#include "common/com/module_type_library.h"
#include "host/names.h"
#include "host/type_info.h"

#include <map>

namespace pkw::host {
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

// "Library.Class" (and a version after a second dot, which is ignored).
HRESULT classInLibrary(const std::wstring& path, const std::wstring& progId, CLSID& clsid) {
    const std::size_t dot = progId.find(L'.');
    if (dot == std::wstring::npos) return CO_E_CLASSSTRING;
    const std::wstring libraryName = progId.substr(0, dot);
    const std::wstring className = progId.substr(dot + 1, progId.find(L'.', dot + 1) - dot - 1);
    ComPtr<ITypeLib> library;
    PKW_RETURN_IF_FAILED(com::loadModuleTypeLibrary(path, 1, &library));
    Bstr name;
    PKW_RETURN_IF_FAILED(library->GetDocumentation(-1, name.put(), nullptr, nullptr, nullptr));
    if (!sameName(name.view(), libraryName)) return TYPE_E_ELEMENTNOTFOUND;
    const UINT count = library->GetTypeInfoCount();
    for (UINT i = 0; i < count; ++i) {
        TYPEKIND kind{};
        Bstr member;
        if (FAILED(library->GetTypeInfoType(i, &kind)) || kind != TKIND_COCLASS ||
            FAILED(library->GetDocumentation(static_cast<INT>(i), member.put(), nullptr, nullptr,
                                             nullptr)) ||
            !sameName(member.view(), className))
            continue;
        ComPtr<ITypeInfo> info;
        TypeAttr attr;
        PKW_RETURN_IF_FAILED(library->GetTypeInfo(i, &info));
        PKW_RETURN_IF_FAILED(attr.take(info.Get()));
        clsid = attr->guid;
        return S_OK;
    }
    return TYPE_E_ELEMENTNOTFOUND;
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

HRESULT createByName(const std::wstring& name, ComPtr<IUnknown>& object) {
    CLSID clsid{};
    if (name.starts_with(L"{")) {
        PKW_RETURN_IF_FAILED(::CLSIDFromString(name.c_str(), &clsid));
        return createByClsid(clsid, object);
    }
    return createByProgId(name.c_str(), object);
}

HRESULT createFromDll(const std::wstring& path, REFCLSID clsid, ComPtr<IUnknown>& object) {
    DllGetClassObjectFn fn = nullptr;
    PKW_RETURN_IF_FAILED(entry(path, "DllGetClassObject", fn));
    ComPtr<IClassFactory> factory;
    PKW_RETURN_IF_FAILED(
        fn(clsid, IID_IClassFactory, reinterpret_cast<void**>(factory.GetAddressOf())));
    return factory->CreateInstance(nullptr, IID_PPV_ARGS(object.ReleaseAndGetAddressOf()));
}

HRESULT createFromLibrary(const std::wstring& path, const std::wstring& name,
                          ComPtr<IUnknown>& object) {
    CLSID clsid{};
    if (name.starts_with(L"{")) {
        PKW_RETURN_IF_FAILED(::CLSIDFromString(name.c_str(), &clsid));
    } else {
        HMODULE module = nullptr;
        PKW_RETURN_IF_FAILED(loadLibrary(path, module));
        PKW_RETURN_IF_FAILED(classInLibrary(path, name, clsid));
    }
    return createFromDll(path, clsid, object);
}

HRESULT dllCanUnloadNow(const std::wstring& path) {
    DllCanUnloadNowFn fn = nullptr;
    PKW_RETURN_IF_FAILED(entry(path, "DllCanUnloadNow", fn));
    return fn();
}

} // namespace pkw::host
