#include "siblings/scls/registration.h"

#include "common/com/hresult.h"
#include "common/com/module.h"
#include "siblings/scls/class_table.h"
#include "siblings/scls/type_library.h"
#include "zelSCls40.h"

#include <olectl.h>

namespace pkw::scls {
namespace {

std::wstring guidText(REFGUID guid) {
    wchar_t text[40] = {};
    ::StringFromGUID2(guid, text, static_cast<int>(std::size(text)));
    return text;
}

std::wstring progId(const ClassEntry& entry) {
    return std::wstring(kProgIdPrefix) + entry.name;
}
std::wstring clsidKey(const ClassEntry& entry) {
    return L"CLSID\\" + guidText(entry.clsid);
}

HRESULT writeValue(const RegistryValue& value) {
    HKEY key = nullptr;
    LSTATUS status = ::RegCreateKeyExW(HKEY_CLASSES_ROOT, value.key.c_str(), 0, nullptr, 0,
                                       KEY_SET_VALUE, nullptr, &key, nullptr);
    if (status != ERROR_SUCCESS) return HRESULT_FROM_WIN32(status);
    const auto bytes = static_cast<DWORD>((value.data.size() + 1) * sizeof(wchar_t));
    status = ::RegSetValueExW(key, value.name.empty() ? nullptr : value.name.c_str(), 0, REG_SZ,
                              reinterpret_cast<const BYTE*>(value.data.c_str()), bytes);
    ::RegCloseKey(key);
    return HRESULT_FROM_WIN32(status);
}

HRESULT registerTypeLibrary(const std::wstring& path) {
    ComPtr<ITypeLib> library;
    PKW_RETURN_IF_FAILED(loadTypeLibrary(&library));
    std::wstring file = path; // RegisterTypeLib takes a non-const path
    return ::RegisterTypeLib(library.Get(), file.data(), nullptr);
}

HRESULT unregisterTypeLibrary() {
    ComPtr<ITypeLib> library;
    PKW_RETURN_IF_FAILED(loadTypeLibrary(&library));
    TLIBATTR* attr = nullptr;
    PKW_RETURN_IF_FAILED(library->GetLibAttr(&attr));
    const TLIBATTR a = *attr;
    library->ReleaseTLibAttr(attr);
    // Not registered (any more) is what we want.
    BSTR registeredPath = nullptr;
    if (FAILED(::QueryPathOfRegTypeLib(a.guid, a.wMajorVerNum, a.wMinorVerNum, a.lcid,
                                       &registeredPath))) {
        return S_OK;
    }
    ::SysFreeString(registeredPath);
    return ::UnRegisterTypeLib(a.guid, a.wMajorVerNum, a.wMinorVerNum, a.lcid, a.syskind);
}

} // namespace

std::vector<RegistryValue> registryValues(const std::wstring& dllPath) {
    const std::wstring libid = guidText(LIBID_zelSCls40Lib);
    std::vector<RegistryValue> values;
    for (const ClassEntry& entry : classTable()) {
        const std::wstring clsid = clsidKey(entry);
        values.push_back({clsid, L"", entry.description});
        values.push_back({clsid + L"\\InprocServer32", L"", dllPath});
        values.push_back({clsid + L"\\InprocServer32", L"ThreadingModel", L"Apartment"});
        values.push_back({clsid + L"\\ProgID", L"", progId(entry)});
        values.push_back({clsid + L"\\TypeLib", L"", libid});
        values.push_back({clsid + L"\\Version", L"", L"4.0"});
        values.push_back({progId(entry), L"", entry.description});
        values.push_back({progId(entry) + L"\\CLSID", L"", guidText(entry.clsid)});
    }
    return values;
}

std::vector<std::wstring> ownedKeys() {
    std::vector<std::wstring> keys;
    for (const ClassEntry& entry : classTable()) {
        keys.push_back(clsidKey(entry));
        keys.push_back(progId(entry));
    }
    return keys;
}

HRESULT registerServer() {
    try {
        const std::wstring path = module::path();
        if (path.empty()) return SELFREG_E_CLASS;
        HRESULT hr = S_OK;
        for (const RegistryValue& value : registryValues(path)) {
            hr = writeValue(value);
            if (FAILED(hr)) break;
        }
        if (SUCCEEDED(hr)) hr = registerTypeLibrary(path);
        if (FAILED(hr)) {
            pkw::ignore(unregisterServer()); // leave nothing half-written
            return hr;
        }
        return S_OK;
    } catch (...) {
        return E_OUTOFMEMORY;
    }
}

HRESULT unregisterServer() {
    try {
        HRESULT result = S_OK;
        for (const std::wstring& key : ownedKeys()) {
            const LSTATUS status = ::RegDeleteTreeW(HKEY_CLASSES_ROOT, key.c_str());
            if (status != ERROR_SUCCESS && status != ERROR_FILE_NOT_FOUND && SUCCEEDED(result)) {
                result = HRESULT_FROM_WIN32(status);
            }
        }
        const HRESULT hr = unregisterTypeLibrary();
        return FAILED(result) ? result : hr;
    } catch (...) {
        return E_OUTOFMEMORY;
    }
}

} // namespace pkw::scls
