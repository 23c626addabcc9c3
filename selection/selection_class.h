// What the public selection controls declare alike to the server and to
// their containers.
#pragma once

#include "zelPickwell40.h"

#include <oleidl.h>
#include <windows.h>

namespace pkw::selection {

inline constexpr DWORD kMiscStatus = OLEMISC_RECOMPOSEONRESIZE | OLEMISC_CANTLINKINSIDE |
                                     OLEMISC_INSIDEOUT | OLEMISC_ACTIVATEWHENVISIBLE |
                                     OLEMISC_SETCLIENTSITEFIRST;

inline const CLSID* const kPropertyPages[] = {&CLSID_Effects, &CLSID_Caption, &CLSID_About};

} // namespace pkw::selection
