#include "tests/common/com_server/server_dll.h"

#include <algorithm>

namespace pkw::test {
namespace {

template <class F>
F as(FARPROC f) {
    return reinterpret_cast<F>(reinterpret_cast<void*>(f));
}

} // namespace

std::wstring besideTestProgram(const wchar_t* file) {
    std::wstring path(MAX_PATH, L'\0');
    path.resize(::GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size())));
    path.resize(path.find_last_of(L"\\/") + 1);
    return path + file;
}

bool CopyLibrariesWithout(const wchar_t* folder, std::initializer_list<std::wstring_view> leftOut) {
    const std::wstring from = besideTestProgram(L""), to = from + folder + L"\\";
    ::CreateDirectoryW(to.c_str(), nullptr);
    for (const wchar_t* pattern : {L"*.dll", L"*.ocx"}) {
        WIN32_FIND_DATAW found{};
        const HANDLE search = ::FindFirstFileW((from + pattern).c_str(), &found);
        if (search == INVALID_HANDLE_VALUE) continue;
        bool copied = true;
        do {
            const std::wstring_view name(found.cFileName);
            if (std::find(leftOut.begin(), leftOut.end(), name) != leftOut.end()) continue;
            const std::wstring target = to + found.cFileName;
            // A copy this program loaded before stays as it is.
            copied = ::CopyFileW((from + found.cFileName).c_str(), target.c_str(), FALSE) ||
                     ::GetFileAttributesW(target.c_str()) != INVALID_FILE_ATTRIBUTES;
        } while (copied && ::FindNextFileW(search, &found));
        ::FindClose(search);
        if (!copied) return false;
    }
    return true;
}

ServerDll::ServerDll(const wchar_t* file)
    : path_(besideTestProgram(file)), module_(::LoadLibraryW(path_.c_str())) {}

FARPROC ServerDll::entry(const char* name) const {
    return module_ ? ::GetProcAddress(module_, name) : nullptr;
}

HRESULT ServerDll::canUnloadNow() const {
    const auto f = as<HRESULT(STDAPICALLTYPE*)()>(entry("DllCanUnloadNow"));
    return f ? f() : E_NOTIMPL;
}

HRESULT ServerDll::registerServer() const {
    const auto f = as<HRESULT(STDAPICALLTYPE*)()>(entry("DllRegisterServer"));
    return f ? f() : E_NOTIMPL;
}

HRESULT ServerDll::unregisterServer() const {
    const auto f = as<HRESULT(STDAPICALLTYPE*)()>(entry("DllUnregisterServer"));
    return f ? f() : E_NOTIMPL;
}

HRESULT ServerDll::install(BOOL install, const wchar_t* commandLine) const {
    const auto f = as<HRESULT(STDAPICALLTYPE*)(BOOL, LPCWSTR)>(entry("DllInstall"));
    return f ? f(install, commandLine) : E_NOTIMPL;
}

HRESULT ServerDll::classObject(REFCLSID clsid, REFIID iid, void** ppv) const {
    const auto f =
        as<HRESULT(STDAPICALLTYPE*)(REFCLSID, REFIID, void**)>(entry("DllGetClassObject"));
    return f ? f(clsid, iid, ppv) : E_NOTIMPL;
}

} // namespace pkw::test
