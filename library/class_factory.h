// IClassFactory for one control class of the table.
#pragma once

#include "activex/control_class.h"

#include <unknwn.h>

namespace pkw::library {

// A new factory for `cls`, queried for `riid`.
HRESULT createClassFactory(const ax::ControlClass& cls, REFIID riid, void** ppv) noexcept;

} // namespace pkw::library
