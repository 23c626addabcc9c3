// The class description of NuCheckBox40 for the in-process server.
#pragma once

#include "activex/control_class.h"

namespace pkw::checkbox {

const pkw::ax::ControlClass& CheckBoxClass();

} // namespace pkw::checkbox
