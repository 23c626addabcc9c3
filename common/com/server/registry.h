// Registry helpers for self-registration: every key is closed on every
// path, and "already absent" counts as removed.
#pragma once

#include "common/win/unique_handle.h"

#include <windows.h>

#include <optional>
#include <string>

namespace pkw::com {

using UniqueRegKey = UniqueHandle<HKEY, &::RegCloseKey>;

// Opens `subkey` below `root`, creating it and its parents when missing.
HRESULT createRegistryKey(HKEY root, const std::wstring& subkey, REGSAM access,
                          UniqueRegKey& key) noexcept;
// Creates `subkey` (and its parents) below `root` and sets one string value
// (`name` empty: the default value); with no data only the key is made.
HRESULT writeRegistryString(HKEY root, const std::wstring& subkey, const std::wstring& name,
                            const std::optional<std::wstring>& data) noexcept;
// A string value, or nothing when the key or value is missing or not a string.
std::optional<std::wstring> readRegistryString(HKEY root, const std::wstring& subkey,
                                               const std::wstring& name);
bool registryKeyExists(HKEY root, const std::wstring& subkey) noexcept;
HRESULT deleteRegistryValue(HKEY root, const std::wstring& subkey,
                            const std::wstring& name) noexcept;
// Deletes `subkey` when it holds neither values nor subkeys; true when it
// is gone (or was never there).
bool deleteRegistryKeyIfEmpty(HKEY root, const std::wstring& subkey) noexcept;

} // namespace pkw::com
