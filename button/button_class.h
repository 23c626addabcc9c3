// The class description of BTN for the in-process server: served by its
// DllGetClassObject, never registered.
#pragma once

#include "activex/control_class.h"

namespace pkw::button {

const pkw::ax::ControlClass& ButtonClass();

} // namespace pkw::button
