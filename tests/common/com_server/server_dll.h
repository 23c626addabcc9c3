// A server DLL of the project beside the test program, loaded once and
// reached through its exports, as a container or regsvr32 reaches it.
#pragma once

#include <windows.h>
#include <wrl/client.h>

#include <initializer_list>
#include <string>
#include <string_view>

namespace pkw::test {

// A file in the test program's folder, where the build puts every DLL.
std::wstring besideTestProgram(const wchar_t* file);

// The folder's DLLs and controls copied into its subfolder `folder`, all but
// those left out: a library among incomplete siblings, reached as
// besideTestProgram(L"folder\\name.dll"). False when a copy failed.
bool CopyLibrariesWithout(const wchar_t* folder, std::initializer_list<std::wstring_view> leftOut);

class ServerDll {
public:
    explicit ServerDll(const wchar_t* file);
    ServerDll(const ServerDll&) = delete;
    ServerDll& operator=(const ServerDll&) = delete;

    const std::wstring& path() const noexcept { return path_; }
    bool loaded() const noexcept { return module_ != nullptr; }
    HMODULE module() const noexcept { return module_; }

    HRESULT canUnloadNow() const;
    HRESULT registerServer() const;
    HRESULT unregisterServer() const;
    HRESULT install(BOOL install, const wchar_t* commandLine) const;
    HRESULT classObject(REFCLSID clsid, REFIID iid, void** ppv) const;
    // A new object from the class's factory; null when either fails.
    template <class I>
    Microsoft::WRL::ComPtr<I> create(REFCLSID clsid) const {
        Microsoft::WRL::ComPtr<IClassFactory> factory;
        Microsoft::WRL::ComPtr<I> object;
        if (SUCCEEDED(classObject(clsid, IID_PPV_ARGS(&factory))))
            factory->CreateInstance(nullptr, IID_PPV_ARGS(&object));
        return object;
    }

private:
    FARPROC entry(const char* name) const;

    std::wstring path_;
    HMODULE module_; // kept for the process, as the library keeps its siblings
};

} // namespace pkw::test
