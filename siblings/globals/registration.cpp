#include "siblings/globals/registration.h"

#include "common/com/hresult.h"
#include "common/com/module.h"
#include "siblings/globals/class_table.h"
#include "siblings/globals/type_library.h"

#include "zelGlobals40.h"

#include <olectl.h>
#include <wrl/client.h>

#include <array>
#include <new>
#include <string>
#include <string_view>
#include <vector>

namespace pkw::globals {
namespace {

// One value under HKEY_CLASSES_ROOT per line, for every class. In key and
// value, {clsid}, {progid}, {name}, {path} and {libid} stand for the class's.
struct RegistryLine {
    const wchar_t* key;
    const wchar_t* valueName; // null: the key's default value
    const wchar_t* value;
};

constexpr RegistryLine kClassLines[] = {
    {L"CLSID\\{clsid}", nullptr, L"{name}"},
    {L"CLSID\\{clsid}\\InprocServer32", nullptr, L"{path}"},
    {L"CLSID\\{clsid}\\InprocServer32", L"ThreadingModel", L"Apartment"},
    {L"CLSID\\{clsid}\\ProgID", nullptr, L"{progid}"},
    {L"CLSID\\{clsid}\\TypeLib", nullptr, L"{libid}"},
    {L"CLSID\\{clsid}\\Version", nullptr, L"1.0"},
    {L"{progid}", nullptr, L"{name}"},
    {L"{progid}\\CLSID", nullptr, L"{clsid}"},
};

struct RegistryValue {
    std::wstring key;
    const wchar_t* valueName;
    std::wstring value;
};

std::wstring guidText(REFGUID guid) {
    std::array<wchar_t, 40> text{};
    ::StringFromGUID2(guid, text.data(), static_cast<int>(text.size()));
    return text.data();
}

std::wstring expand(std::wstring_view pattern, const ClassInfo& info, const std::wstring& path) {
    const std::wstring name = info.name;
    const std::pair<std::wstring_view, std::wstring> fields[] = {
        {L"{clsid}", guidText(*info.clsid)},
        {L"{progid}", L"zelGlobals40." + name},
        {L"{name}", name},
        {L"{path}", path},
        {L"{libid}", guidText(LIBID_zelNuGlobals40Lib)},
    };
    std::wstring out(pattern);
    for (const auto& [field, text] : fields)
        for (auto at = out.find(field); at != std::wstring::npos;
             at = out.find(field, at + text.size()))
            out.replace(at, field.size(), text);
    return out;
}

std::vector<RegistryValue> registryValues() {
    const std::wstring path = module::path();
    std::vector<RegistryValue> values;
    for (const ClassInfo& info : classes())
        for (const RegistryLine& line : kClassLines)
            values.push_back(
                {expand(line.key, info, path), line.valueName, expand(line.value, info, path)});
    return values;
}

HRESULT writeValue(const RegistryValue& v) {
    HKEY key = nullptr;
    LSTATUS status = ::RegCreateKeyExW(HKEY_CLASSES_ROOT, v.key.c_str(), 0, nullptr, 0,
                                       KEY_SET_VALUE, nullptr, &key, nullptr);
    if (status != ERROR_SUCCESS) return HRESULT_FROM_WIN32(status);
    status = ::RegSetValueExW(key, v.valueName, 0, REG_SZ,
                              reinterpret_cast<const BYTE*>(v.value.c_str()),
                              static_cast<DWORD>((v.value.size() + 1) * sizeof(wchar_t)));
    ::RegCloseKey(key);
    return HRESULT_FROM_WIN32(status);
}

// Removes the value, then the key once nothing else is in it.
void removeValue(const RegistryValue& v) {
    HKEY key = nullptr;
    if (::RegOpenKeyExW(HKEY_CLASSES_ROOT, v.key.c_str(), 0, KEY_SET_VALUE | KEY_QUERY_VALUE,
                        &key) != ERROR_SUCCESS)
        return;
    ::RegDeleteValueW(key, v.valueName);
    DWORD subkeys = 0;
    DWORD values = 0;
    const bool empty =
        ::RegQueryInfoKeyW(key, nullptr, nullptr, nullptr, &subkeys, nullptr, nullptr, &values,
                           nullptr, nullptr, nullptr, nullptr) == ERROR_SUCCESS &&
        subkeys == 0 && values == 0;
    ::RegCloseKey(key);
    if (empty) ::RegDeleteKeyW(HKEY_CLASSES_ROOT, v.key.c_str());
}

void removeValues(const std::vector<RegistryValue>& values) {
    // Deepest keys last written: going backwards empties children first.
    for (auto it = values.rbegin(); it != values.rend(); ++it)
        removeValue(*it);
}

constexpr SYSKIND kSysKind = sizeof(void*) == 8 ? SYS_WIN64 : SYS_WIN32;

} // namespace

HRESULT registerServer() noexcept {
    try {
        const std::vector<RegistryValue> values = registryValues();
        HRESULT hr = S_OK;
        for (const RegistryValue& v : values) {
            hr = writeValue(v);
            if (FAILED(hr)) break;
        }
        if (SUCCEEDED(hr)) {
            Microsoft::WRL::ComPtr<ITypeLib> library;
            const std::wstring path = module::path();
            hr = loadTypeLibrary(&library);
            if (SUCCEEDED(hr))
                hr = ::RegisterTypeLib(library.Get(), const_cast<LPOLESTR>(path.c_str()), nullptr);
        }
        if (FAILED(hr)) {
            removeValues(values);
            return SELFREG_E_CLASS;
        }
        return S_OK;
    } catch (const std::bad_alloc&) {
        return E_OUTOFMEMORY;
    }
}

HRESULT unregisterServer() noexcept {
    try {
        // Not registered is fine: nothing to remove.
        pkw::ignore(::UnRegisterTypeLib(LIBID_zelNuGlobals40Lib, 1, 0, LOCALE_NEUTRAL, kSysKind));
        removeValues(registryValues());
        return S_OK;
    } catch (const std::bad_alloc&) {
        return E_OUTOFMEMORY;
    }
}

} // namespace pkw::globals
