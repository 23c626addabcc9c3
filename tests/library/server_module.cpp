#include "server_module.h"

#include "common/win/unique_handle.h"

#include <vector>

namespace pkw::test {

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
