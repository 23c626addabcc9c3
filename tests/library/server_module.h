// The built zelPickwell40.ocx as the tests see it: the module loaded into
// the test process, its type library, and regsvr32 runs.
#pragma once

#include "host/com_server.h"

#include <windows.h>

#include <oleauto.h>
#include <wrl/client.h>

#include <string>

namespace pkw::test {

using Microsoft::WRL::ComPtr;

// zelPickwell40.ocx beside the test program, loaded into this process for
// calls to its exports.
inline const ComServerDll& serverDll() {
    static const ComServerDll dll(L"zelPickwell40.ocx");
    return dll;
}
inline std::wstring serverPath() {
    return serverDll().path();
}
inline HRESULT serverInstall(BOOL install, const wchar_t* commandLine) {
    const auto f = serverDll().entry<HRESULT(STDAPICALLTYPE*)(BOOL, LPCWSTR)>("DllInstall");
    return f ? f(install, commandLine) : E_FAIL;
}

// Runs the prefix's regsvr32.exe with `arguments` followed by the server's
// path; returns its exit code, or -1 when it could not run or did not end
// within a generous deadline.
int runRegsvr32(const std::wstring& arguments);

// The type library inside the server file (not through the registry).
ComPtr<ITypeLib> loadServerTypeLibrary();

} // namespace pkw::test
