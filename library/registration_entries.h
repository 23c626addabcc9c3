// What registering one class writes below the classes root
// (HKLM\Software\Classes or HKCU\Software\Classes): one table of keys and
// values, from which both registration and unregistration work.
#pragma once

#include "activex/control_class.h"

#include <optional>
#include <string>
#include <vector>

namespace pkw::library {

struct RegistryEntry {
    std::wstring key;                 // below the classes root
    std::wstring name;                // value name; empty for the default value
    std::optional<std::wstring> data; // none: the key alone
};

// The type library's version as registration writes it.
inline constexpr const wchar_t* kTypeLibVersion = L"4.0";
inline constexpr WORD kTypeLibMajor = 4;
inline constexpr WORD kTypeLibMinor = 0;

std::wstring guidText(REFGUID guid);

// "zelPickwell40.NuCheckBox40" and "zelPickwell40.NuCheckBox40.1".
std::wstring versionIndependentProgId(const ax::ControlClass& cls);
std::wstring progId(const ax::ControlClass& cls);

// Every key and value of a class, parents before children.
std::vector<RegistryEntry> classRegistryEntries(const ax::ControlClass& cls,
                                                const std::wstring& serverPath);

// The keys that belong to the class alone (removed with all below them);
// a ProgID key is the class's only while its CLSID value names the class.
struct OwnedKey {
    std::wstring key;
    std::optional<std::wstring> ownerClsid; // required CLSID value below key
};
std::vector<OwnedKey> classOwnedKeys(const ax::ControlClass& cls);

} // namespace pkw::library
