#include "library/registration_entries.h"

#include "zelPickwell40.h"

#include <objbase.h>

namespace pkw::library {
namespace {

constexpr const wchar_t* kLibraryName = L"zelPickwell40";
// Containers list classes of this category as insertable controls.
constexpr const wchar_t* kCatidControl = L"{40FC6ED4-2438-11CF-A3DB-080036F12502}";
constexpr const wchar_t* kProgIdVersion = L"1";

} // namespace

std::wstring guidText(REFGUID guid) {
    wchar_t text[40] = {};
    ::StringFromGUID2(guid, text, 40);
    return text;
}

std::wstring versionIndependentProgId(const ax::ControlClass& cls) {
    return std::wstring(kLibraryName) + L"." + cls.className;
}

std::wstring progId(const ax::ControlClass& cls) {
    return versionIndependentProgId(cls) + L"." + kProgIdVersion;
}

std::vector<RegistryEntry> classRegistryEntries(const ax::ControlClass& cls,
                                                const std::wstring& serverPath) {
    const std::wstring clsidKey = L"CLSID\\" + guidText(*cls.clsid);
    const std::wstring name = cls.className;
    const std::wstring versioned = progId(cls);
    const std::wstring independent = versionIndependentProgId(cls);
    const std::wstring clsid = guidText(*cls.clsid);

    std::vector<RegistryEntry> entries = {
        {clsidKey, L"", name},
        {clsidKey + L"\\InprocServer32", L"", serverPath},
        {clsidKey + L"\\InprocServer32", L"ThreadingModel", L"Apartment"},
        {clsidKey + L"\\ProgID", L"", versioned},
        {clsidKey + L"\\VersionIndependentProgID", L"", independent},
        {clsidKey + L"\\Control", L"", std::nullopt},
        {clsidKey + L"\\MiscStatus", L"", L"0"},
        {clsidKey + L"\\MiscStatus\\1", L"", std::to_wstring(cls.miscStatus)},
        {clsidKey + L"\\TypeLib", L"", guidText(LIBID_zelPickwell40)},
        {clsidKey + L"\\Version", L"", kTypeLibVersion},
        {clsidKey + L"\\Implemented Categories\\" + kCatidControl, L"", std::nullopt},
        {versioned, L"", name},
        {versioned + L"\\CLSID", L"", clsid},
        {independent, L"", name},
        {independent + L"\\CLSID", L"", clsid},
        {independent + L"\\CurVer", L"", versioned},
    };
    if (cls.toolboxBitmap != 0)
        entries.push_back({clsidKey + L"\\ToolboxBitmap32", L"",
                           serverPath + L"," + std::to_wstring(cls.toolboxBitmap)});
    return entries;
}

std::vector<OwnedKey> classOwnedKeys(const ax::ControlClass& cls) {
    const std::wstring clsid = guidText(*cls.clsid);
    return {
        {L"CLSID\\" + clsid, std::nullopt},
        {progId(cls), clsid},
        {versionIndependentProgId(cls), clsid},
    };
}

} // namespace pkw::library
