#include "common/com/server/registry.h"

namespace pkw::com {
namespace {

const wchar_t* valueName(const std::wstring& name) noexcept {
    return name.empty() ? nullptr : name.c_str();
}

UniqueRegKey openKey(HKEY root, const std::wstring& subkey, REGSAM access) noexcept {
    HKEY raw = nullptr;
    if (::RegOpenKeyExW(root, subkey.c_str(), 0, access, &raw) != ERROR_SUCCESS) return {};
    return UniqueRegKey(raw);
}

bool absent(LSTATUS status) noexcept {
    return status == ERROR_FILE_NOT_FOUND || status == ERROR_PATH_NOT_FOUND;
}

} // namespace

HRESULT createRegistryKey(HKEY root, const std::wstring& subkey, REGSAM access,
                          UniqueRegKey& key) noexcept {
    HKEY raw = nullptr;
    const LSTATUS status = ::RegCreateKeyExW(
        root, subkey.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE, access, nullptr, &raw, nullptr);
    if (status != ERROR_SUCCESS) return HRESULT_FROM_WIN32(status);
    key.reset(raw);
    return S_OK;
}

HRESULT writeRegistryString(HKEY root, const std::wstring& subkey, const std::wstring& name,
                            const std::optional<std::wstring>& data) noexcept {
    UniqueRegKey key;
    if (const HRESULT hr = createRegistryKey(root, subkey, KEY_SET_VALUE, key); FAILED(hr))
        return hr;
    if (!data) return S_OK;
    const auto bytes = static_cast<DWORD>((data->size() + 1) * sizeof(wchar_t));
    const LSTATUS status = ::RegSetValueExW(key.get(), valueName(name), 0, REG_SZ,
                                            reinterpret_cast<const BYTE*>(data->c_str()), bytes);
    return HRESULT_FROM_WIN32(status);
}

std::optional<std::wstring> readRegistryString(HKEY root, const std::wstring& subkey,
                                               const std::wstring& name) {
    const UniqueRegKey key = openKey(root, subkey, KEY_QUERY_VALUE);
    if (!key) return std::nullopt;
    DWORD type = 0;
    DWORD bytes = 0;
    if (::RegQueryValueExW(key.get(), valueName(name), nullptr, &type, nullptr, &bytes) !=
            ERROR_SUCCESS ||
        type != REG_SZ)
        return std::nullopt;
    std::wstring text(bytes / sizeof(wchar_t) + 1, L'\0');
    bytes = static_cast<DWORD>(text.size() * sizeof(wchar_t));
    if (::RegQueryValueExW(key.get(), valueName(name), nullptr, &type,
                           reinterpret_cast<BYTE*>(text.data()), &bytes) != ERROR_SUCCESS)
        return std::nullopt;
    text.resize(bytes / sizeof(wchar_t));
    while (!text.empty() && text.back() == L'\0')
        text.pop_back();
    return text;
}

bool registryKeyExists(HKEY root, const std::wstring& subkey) noexcept {
    return static_cast<bool>(openKey(root, subkey, KEY_READ));
}

HRESULT deleteRegistryValue(HKEY root, const std::wstring& subkey,
                            const std::wstring& name) noexcept {
    const UniqueRegKey key = openKey(root, subkey, KEY_SET_VALUE);
    if (!key) return S_OK;
    const LSTATUS status = ::RegDeleteValueW(key.get(), valueName(name));
    return status == ERROR_SUCCESS || absent(status) ? S_OK : HRESULT_FROM_WIN32(status);
}

bool deleteRegistryKeyIfEmpty(HKEY root, const std::wstring& subkey) noexcept {
    {
        const UniqueRegKey key = openKey(root, subkey, KEY_QUERY_VALUE);
        if (!key) return true;
        DWORD subkeys = 0;
        DWORD values = 0;
        if (::RegQueryInfoKeyW(key.get(), nullptr, nullptr, nullptr, &subkeys, nullptr, nullptr,
                               &values, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS ||
            subkeys != 0 || values != 0)
            return false;
    }
    const LSTATUS status = ::RegDeleteKeyW(root, subkey.c_str());
    return status == ERROR_SUCCESS || absent(status);
}

} // namespace pkw::com
