#include "common/com/server/registration_entries.h"

#include <objbase.h>

namespace pkw::com {
namespace {

// Containers list the classes of this category as insertable controls.
constexpr const wchar_t* kCatidControl = L"{40FC6ED4-2438-11CF-A3DB-080036F12502}";

} // namespace

std::wstring guidText(REFGUID guid) {
    wchar_t text[40] = {};
    ::StringFromGUID2(guid, text, 40);
    return text;
}

std::wstring progId(const Server& server, const ClassEntry& cls, bool versioned) {
    std::wstring id = std::wstring(server.name) + L"." + cls.className;
    if (versioned && server.progIdVersion != 0) id += L"." + std::to_wstring(server.progIdVersion);
    return id;
}

ClassKeys classKeys(const Server& server, const ClassEntry& cls, const TypeLibraryName& library,
                    const std::wstring& serverPath) {
    if (cls.registration == Registration::None) return {};
    const std::wstring clsid = guidText(*cls.clsid);
    const std::wstring key = L"CLSID\\" + clsid;
    const std::wstring name = cls.className;
    const std::wstring independent = progId(server, cls);
    const std::wstring current = progId(server, cls, true);
    const bool versioned = current != independent;

    ClassKeys keys;
    auto& e = keys.entries;
    e.push_back({key, L"", name});
    e.push_back({key + L"\\InprocServer32", L"", serverPath});
    e.push_back({key + L"\\InprocServer32", L"ThreadingModel", L"Apartment"});
    e.push_back({key + L"\\ProgID", L"", current});
    if (versioned) e.push_back({key + L"\\VersionIndependentProgID", L"", independent});
    e.push_back({key + L"\\TypeLib", L"", library.libid});
    e.push_back({key + L"\\Version", L"", library.version});
    if (cls.registration == Registration::Control) {
        e.push_back({key + L"\\Control", L"", std::nullopt});
        e.push_back({key + L"\\MiscStatus", L"", L"0"});
        e.push_back({key + L"\\MiscStatus\\1", L"", std::to_wstring(cls.miscStatus)});
        e.push_back({key + L"\\Implemented Categories\\" + kCatidControl, L"", std::nullopt});
        if (cls.toolboxBitmap != 0)
            e.push_back({key + L"\\ToolboxBitmap32", L"",
                         serverPath + L"," + std::to_wstring(cls.toolboxBitmap)});
    }
    e.push_back({independent, L"", name});
    e.push_back({independent + L"\\CLSID", L"", clsid});
    keys.roots = {{key, std::nullopt}, {independent, clsid}};
    if (versioned) {
        e.push_back({independent + L"\\CurVer", L"", current});
        e.push_back({current, L"", name});
        e.push_back({current + L"\\CLSID", L"", clsid});
        keys.roots.push_back({current, clsid});
    }
    return keys;
}

} // namespace pkw::com
