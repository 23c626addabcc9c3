// Static description of one control class of the library: its entry in the
// server's class table (CLSID, name, creation, registration, misc status,
// toolbox image) and what the plumbing needs to serve it to a container.
#pragma once

#include "common/com/server/class_entry.h"

#include <ocidl.h>
#include <windows.h>

#include <span>

namespace pkw::ax {

struct ControlClass : com::ClassEntry {
    const IID* defaultInterface;                 // dual interface served through the type library
    const IID* eventInterface;                   // source dispinterface (may be null)
    std::span<const CLSID* const> propertyPages; // in the order shown
};

} // namespace pkw::ax
