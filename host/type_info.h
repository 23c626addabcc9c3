// Type information as the host reads it: shared with the rest of the
// project (common/com/type_info.h).
#pragma once

#include "common/com/type_info.h"
#include "host/com_object.h"

namespace pkw::host {

using com::FuncDesc;
using com::LentDesc;
using com::memberName;
using com::resolveType;
using com::TypeAttr;
using com::typeInfoName;
using com::ValueType;
using com::VarDesc;

} // namespace pkw::host
