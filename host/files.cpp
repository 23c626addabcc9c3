#include "host/files.h"

#include "common/win/unique_handle.h"

#include <algorithm>

namespace pkw::host {
namespace {

using UniqueFile = UniqueHandle<HANDLE, &::CloseHandle>;

UniqueFile openFile(const std::wstring& path, DWORD access, DWORD disposition) {
    HANDLE h = ::CreateFileW(path.c_str(), access, FILE_SHARE_READ, nullptr, disposition,
                             FILE_ATTRIBUTE_NORMAL, nullptr);
    return UniqueFile(h == INVALID_HANDLE_VALUE ? nullptr : h);
}

HRESULT lastError() {
    const DWORD error = ::GetLastError();
    return error ? HRESULT_FROM_WIN32(error) : E_FAIL;
}

} // namespace

HRESULT readFile(const std::wstring& path, std::string& bytes, std::size_t limit) {
    bytes.clear();
    const UniqueFile file = openFile(path, GENERIC_READ, OPEN_EXISTING);
    if (!file) return lastError();
    char chunk[64 * 1024];
    for (;;) {
        DWORD got = 0;
        if (!::ReadFile(file.get(), chunk, sizeof chunk, &got, nullptr)) return lastError();
        if (got == 0) return S_OK;
        if (bytes.size() + got > limit) {
            bytes.clear();
            return HRESULT_FROM_WIN32(ERROR_FILE_TOO_LARGE);
        }
        bytes.append(chunk, got);
    }
}

HRESULT writeFile(const std::wstring& path, std::string_view bytes) {
    const UniqueFile file = openFile(path, GENERIC_WRITE, CREATE_ALWAYS);
    if (!file) return lastError();
    std::size_t done = 0;
    while (done < bytes.size()) {
        const DWORD part = static_cast<DWORD>(std::min<std::size_t>(bytes.size() - done, 1 << 20));
        DWORD wrote = 0;
        if (!::WriteFile(file.get(), bytes.data() + done, part, &wrote, nullptr) || wrote == 0)
            return lastError();
        done += wrote;
    }
    return S_OK;
}

} // namespace pkw::host
