// The COM servers of the project as their tests see them: each DLL with the
// classes and type library it must serve, loaded once for the process.
#pragma once

#include "tests/common/com_server/server_dll.h"

#include <windows.h>

#include <ostream>
#include <span>
#include <string>
#include <vector>

namespace pkw::test {

struct ServedClass {
    const CLSID* clsid;
    const wchar_t* progId; // version-independent
    const IID* iid;        // an interface the class answers
};

struct ServerCase {
    const char* name;
    const wchar_t* file;
    const GUID* libid;
    std::vector<ServedClass> classes;
};

std::span<const ServerCase> serverCases();
const ServerDll& dllOf(const ServerCase& server);
std::wstring guidText(REFGUID guid);

// Readable names in failure messages instead of the cases' bytes.
inline void PrintTo(const ServerCase& server, std::ostream* os) {
    *os << server.name;
}

} // namespace pkw::test
