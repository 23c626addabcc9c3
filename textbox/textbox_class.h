// The class description of NuMText40 for the in-process server: served by
// DllGetClassObject, never registered.
#pragma once

#include "activex/control_class.h"

namespace pkw::textbox {

const pkw::ax::ControlClass& TextBoxClass();

} // namespace pkw::textbox
