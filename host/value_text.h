// Values as text: shared with the rest of the project
// (common/com/value_text.h).
#pragma once

#include "common/com/value_text.h"

namespace pkw::host {

using com::byteArrayBytes;
using com::describeValue;
using com::formatScalar;
using com::hexBytes;
using com::isScalar;
using com::makeByteArray;
using com::parseHexBytes;
using com::parseScalar;
using com::quoteText;
using com::unquoteText;

} // namespace pkw::host
