// Whole files in and out. Reads stop at a limit, so that a huge or endless
// file (a device, a pipe) cannot exhaust the host's memory.
#pragma once

#include <windows.h>

#include <cstddef>
#include <string>
#include <string_view>

namespace pkw::host {

// HRESULT_FROM_WIN32(ERROR_FILE_TOO_LARGE) past `limit` bytes.
HRESULT readFile(const std::wstring& path, std::string& bytes, std::size_t limit);
// Replaces the file.
HRESULT writeFile(const std::wstring& path, std::string_view bytes);

} // namespace pkw::host
