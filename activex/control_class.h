// Static description of one control class of the library: what the
// plumbing needs to serve it to a container, register it and create it.
#pragma once

#include <ocidl.h>
#include <windows.h>

#include <span>

namespace pkw::ax {

class OleControl;

struct ControlClass {
    const CLSID* clsid;
    const wchar_t* className;                    // "NuCheckBox40": the type name containers show
    const IID* defaultInterface;                 // dual interface served through the type library
    const IID* eventInterface;                   // source dispinterface (may be null)
    DWORD miscStatus;                            // OLEMISC_* for DVASPECT_CONTENT
    std::span<const CLSID* const> propertyPages; // in the order shown
    UINT toolboxBitmap;                          // resource id, 0 for none
    bool isPublic;                               // registered and creatable by containers
    // Creates a new instance with reference count 1 (null on failure).
    OleControl* (*create)();
};

} // namespace pkw::ax
