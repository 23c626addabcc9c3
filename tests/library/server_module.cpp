#include "server_module.h"

#include <vector>

namespace pkw::test {

std::wstring serverPath() {
    std::wstring exe(MAX_PATH, L'\0');
    const DWORD n = ::GetModuleFileNameW(nullptr, exe.data(), static_cast<DWORD>(exe.size()));
    exe.resize(n);
    exe.resize(exe.find_last_of(L"\\/") + 1);
    return exe + L"zelPickwell40.ocx";
}

ServerModule::ServerModule() : module_(::LoadLibraryW(serverPath().c_str())) {}

HRESULT ServerModule::getClassObject(REFCLSID clsid, REFIID riid, void** ppv) const {
    using Fn = HRESULT(WINAPI*)(REFCLSID, REFIID, void**);
    auto fn = reinterpret_cast<Fn>(
        reinterpret_cast<void*>(::GetProcAddress(module_.get(), "DllGetClassObject")));
    return fn ? fn(clsid, riid, ppv) : E_NOTIMPL;
}

HRESULT ServerModule::canUnloadNow() const {
    using Fn = HRESULT(WINAPI*)();
    auto fn = reinterpret_cast<Fn>(
        reinterpret_cast<void*>(::GetProcAddress(module_.get(), "DllCanUnloadNow")));
    return fn ? fn() : E_NOTIMPL;
}

HRESULT ServerModule::install(BOOL install, const wchar_t* commandLine) const {
    using Fn = HRESULT(WINAPI*)(BOOL, LPCWSTR);
    auto fn = reinterpret_cast<Fn>(
        reinterpret_cast<void*>(::GetProcAddress(module_.get(), "DllInstall")));
    return fn ? fn(install, commandLine) : E_NOTIMPL;
}

int runRegsvr32(const std::wstring& arguments) {
    wchar_t system[MAX_PATH] = {};
    ::GetSystemDirectoryW(system, MAX_PATH);
    const std::wstring exe = std::wstring(system) + L"\\regsvr32.exe";
    std::wstring commandLine = L"\"" + exe + L"\" " + arguments + L" \"" + serverPath() + L"\"";
    std::vector<wchar_t> buffer(commandLine.begin(), commandLine.end());
    buffer.push_back(L'\0');

    STARTUPINFOW startup = {};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION info = {};
    if (!::CreateProcessW(exe.c_str(), buffer.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                          &startup, &info))
        return -1;
    const UniqueHandle<HANDLE, &::CloseHandle> process(info.hProcess);
    const UniqueHandle<HANDLE, &::CloseHandle> thread(info.hThread);
    // A deadline only against a hung child; registration takes well under it.
    if (::WaitForSingleObject(process.get(), 120'000) != WAIT_OBJECT_0) {
        ::TerminateProcess(process.get(), 1);
        return -1;
    }
    DWORD code = 0;
    ::GetExitCodeProcess(process.get(), &code);
    return static_cast<int>(code);
}

ComPtr<ITypeLib> loadServerTypeLibrary() {
    ComPtr<ITypeLib> typeLib;
    if (FAILED(::LoadTypeLibEx(serverPath().c_str(), REGKIND_NONE, &typeLib))) return nullptr;
    return typeLib;
}

} // namespace pkw::test
