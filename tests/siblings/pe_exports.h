// Reading a PE file's export and import names from disk, for either
// architecture, without loading it.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace pkw::test {

struct PeNames {
    WORD machine = 0;                 // IMAGE_FILE_MACHINE_I386 or _AMD64
    std::vector<std::string> exports; // exported names, in the table's order
    std::vector<std::string> imports; // names of the DLLs it imports from
};

// False (with a reason in error) when the file is missing or malformed.
bool ReadPeNames(const std::wstring& path, PeNames& out, std::string& error);

} // namespace pkw::test
