#include "library/registry_key.h"

namespace pkw::library {

HRESULT writeRegistryString(HKEY root, const std::wstring& subkey, const std::wstring& name,
                            const std::optional<std::wstring>& data) noexcept {
    HKEY raw = nullptr;
    LSTATUS status = ::RegCreateKeyExW(root, subkey.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE,
                                       KEY_SET_VALUE, nullptr, &raw, nullptr);
    if (status != ERROR_SUCCESS) return HRESULT_FROM_WIN32(status);
    const UniqueRegKey key(raw);
    if (!data) return S_OK;
    const auto bytes = static_cast<DWORD>((data->size() + 1) * sizeof(wchar_t));
    status = ::RegSetValueExW(key.get(), name.empty() ? nullptr : name.c_str(), 0, REG_SZ,
                              reinterpret_cast<const BYTE*>(data->c_str()), bytes);
    return HRESULT_FROM_WIN32(status);
}

std::optional<std::wstring> readRegistryString(HKEY root, const std::wstring& subkey,
                                               const std::wstring& name) {
    HKEY raw = nullptr;
    if (::RegOpenKeyExW(root, subkey.c_str(), 0, KEY_QUERY_VALUE, &raw) != ERROR_SUCCESS)
        return std::nullopt;
    const UniqueRegKey key(raw);
    const wchar_t* valueName = name.empty() ? nullptr : name.c_str();
    DWORD type = 0;
    DWORD bytes = 0;
    if (::RegQueryValueExW(key.get(), valueName, nullptr, &type, nullptr, &bytes) !=
            ERROR_SUCCESS ||
        type != REG_SZ)
        return std::nullopt;
    std::wstring text(bytes / sizeof(wchar_t) + 1, L'\0');
    bytes = static_cast<DWORD>(text.size() * sizeof(wchar_t));
    if (::RegQueryValueExW(key.get(), valueName, nullptr, &type,
                           reinterpret_cast<BYTE*>(text.data()), &bytes) != ERROR_SUCCESS)
        return std::nullopt;
    text.resize(bytes / sizeof(wchar_t));
    while (!text.empty() && text.back() == L'\0')
        text.pop_back();
    return text;
}

bool registryKeyExists(HKEY root, const std::wstring& subkey) noexcept {
    HKEY raw = nullptr;
    if (::RegOpenKeyExW(root, subkey.c_str(), 0, KEY_READ, &raw) != ERROR_SUCCESS) return false;
    ::RegCloseKey(raw);
    return true;
}

HRESULT deleteRegistryTree(HKEY root, const std::wstring& subkey) noexcept {
    const LSTATUS status = ::RegDeleteTreeW(root, subkey.c_str());
    if (status == ERROR_FILE_NOT_FOUND || status == ERROR_PATH_NOT_FOUND) return S_OK;
    if (status != ERROR_SUCCESS) return HRESULT_FROM_WIN32(status);
    // RegDeleteTree empties the key; the key itself goes with RegDeleteKey.
    const LSTATUS removed = ::RegDeleteKeyW(root, subkey.c_str());
    if (removed == ERROR_FILE_NOT_FOUND || removed == ERROR_SUCCESS) return S_OK;
    return HRESULT_FROM_WIN32(removed);
}

} // namespace pkw::library
