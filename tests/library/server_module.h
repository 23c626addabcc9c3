// The built zelPickwell40.ocx as the tests see it: its path beside the test
// program, the module loaded into the test process, and regsvr32 runs.
#pragma once

#include "common/win/unique_handle.h"

#include <windows.h>

#include <oleauto.h>
#include <wrl/client.h>

#include <string>

namespace pkw::test {

using Microsoft::WRL::ComPtr;

// Full path of zelPickwell40.ocx (it lands in the test program's folder).
std::wstring serverPath();

// The server loaded into this process for calls to its exports.
class ServerModule {
public:
    ServerModule();
    explicit operator bool() const noexcept { return static_cast<bool>(module_); }

    HRESULT getClassObject(REFCLSID clsid, REFIID riid, void** ppv) const;
    HRESULT canUnloadNow() const;
    HRESULT install(BOOL install, const wchar_t* commandLine) const;

private:
    UniqueHmodule module_;
};

// Runs the prefix's regsvr32.exe with `arguments` followed by the server's
// path; returns its exit code, or -1 when it could not run or did not end
// within a generous deadline.
int runRegsvr32(const std::wstring& arguments);

// The type library inside the server file (not through the registry).
ComPtr<ITypeLib> loadServerTypeLibrary();

} // namespace pkw::test
