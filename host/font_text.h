// Font objects as one line of text: shared with the rest of the project
// (common/com/font_text.h).
#pragma once

#include "common/com/font_text.h"
#include "host/com_object.h"

namespace pkw::host {

using com::describeFont;
using com::parseFont;

} // namespace pkw::host
