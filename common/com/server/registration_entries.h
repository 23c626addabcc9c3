// What registering one class writes below a classes root: one table of keys
// and values, from which registration and unregistration both work.
#pragma once

#include "common/com/server/class_entry.h"

#include <optional>
#include <string>
#include <vector>

namespace pkw::com {

struct RegistryEntry {
    std::wstring key;                 // below the classes root
    std::wstring name;                // value name; empty for the default value
    std::optional<std::wstring> data; // none: the key alone
};

// A top key of a class. The CLSID key is the class's own; a ProgID key is
// only while its CLSID value still names the class (another class may have
// taken the name over since).
struct RegistryRoot {
    std::wstring key;
    std::optional<std::wstring> ownerClsid;
};

// The type library that class keys point at.
struct TypeLibraryName {
    std::wstring libid;   // "{...}"
    std::wstring version; // "4.0"
};

struct ClassKeys {
    std::vector<RegistryEntry> entries; // parents before children
    std::vector<RegistryRoot> roots;
};

std::wstring guidText(REFGUID guid);
// "zelSCls40.Timer"; with a ProgID version, the versioned one is progId(..., true).
std::wstring progId(const Server& server, const ClassEntry& cls, bool versioned = false);

// Empty for a class that is never registered.
ClassKeys classKeys(const Server& server, const ClassEntry& cls, const TypeLibraryName& library,
                    const std::wstring& serverPath);

} // namespace pkw::com
