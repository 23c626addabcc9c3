// Writing and removing the registry keys of one class below a classes root.
#pragma once

#include "activex/control_class.h"

#include <string>

namespace pkw::library {

// Writes every key and value of classRegistryEntries().
HRESULT registerClassKeys(HKEY classesRoot, const ax::ControlClass& cls,
                          const std::wstring& serverPath);

// Removes the class's own keys; a ProgID that another class has taken over
// since (its CLSID value names a different class) stays.
HRESULT unregisterClassKeys(HKEY classesRoot, const ax::ControlClass& cls);

} // namespace pkw::library
