// What the public selection controls declare alike to the server and to
// their containers.
#pragma once

#include "activex/control_class.h"
#include "activex/ole_control.h"

#include "zelPickwell40.h"

#include <oleidl.h>
#include <windows.h>

namespace pkw::selection {

inline constexpr DWORD kMiscStatus = OLEMISC_RECOMPOSEONRESIZE | OLEMISC_CANTLINKINSIDE |
                                     OLEMISC_INSIDEOUT | OLEMISC_ACTIVATEWHENVISIBLE |
                                     OLEMISC_SETCLIENTSITEFIRST;

// In the order a designer shows their tabs.
inline const CLSID* const kPropertyPages[] = {&CLSID_About, &CLSID_Caption, &CLSID_Effects};

// The class description of a public selection control.
template <class Control>
ax::ControlClass SelectionClass(const CLSID& clsid, const wchar_t* name, UINT toolboxBitmap,
                                const IID& dual, const IID& events) {
    return {{&clsid, name, &ax::createControl<Control>, com::Registration::Control, kMiscStatus,
             toolboxBitmap},
            &dual,
            &events,
            kPropertyPages};
}

} // namespace pkw::selection
