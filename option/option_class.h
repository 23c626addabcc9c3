// The class description of NuOption40 for the in-process server.
#pragma once

#include "activex/control_class.h"

namespace pkw::option {

const pkw::ax::ControlClass& OptionClass();

} // namespace pkw::option
