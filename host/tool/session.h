// One run of the host program: the form, the control on it, and the
// actions of the command line in their order.
#pragma once

#include "host/tool/options.h"

namespace pkw::host::tool {

// The program's exit code (see kUsage). OLE must be initialised.
int runSession(const Options& options);

} // namespace pkw::host::tool
