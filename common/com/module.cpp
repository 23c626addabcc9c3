#include "common/com/module.h"

namespace pkw::module {
namespace {

LONG g_locks = 0;

} // namespace

void lock() noexcept {
    ::InterlockedIncrement(&g_locks);
}
void unlock() noexcept {
    ::InterlockedDecrement(&g_locks);
}
LONG lockCount() noexcept {
    return g_locks;
}

HMODULE handle() noexcept {
    HMODULE self = nullptr;
    ::GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS |
                             GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                         reinterpret_cast<LPCWSTR>(&g_locks), &self);
    return self;
}

std::wstring path() {
    std::wstring buffer(MAX_PATH, L'\0');
    for (;;) {
        const DWORD n =
            ::GetModuleFileNameW(handle(), buffer.data(), static_cast<DWORD>(buffer.size()));
        if (n == 0) return {};
        if (n < buffer.size()) {
            buffer.resize(n);
            return buffer;
        }
        buffer.resize(buffer.size() * 2);
    }
}

std::wstring siblingPath(const wchar_t* fileName) {
    std::wstring p = path();
    const auto slash = p.find_last_of(L"\\/");
    p.resize(slash == std::wstring::npos ? 0 : slash + 1);
    return p + fileName;
}

} // namespace pkw::module
