// Forced repaints of a check box in the effects look: a 120 x 24 body with a
// linear gradient, emboss, a glowing caption and a drop shadow, each paint
// composing every layer anew.
#pragma once

#include "host/form.h"

namespace pkw::bench {

// Median microseconds of one paint; 0 when the control could not be placed.
double MeasureEffectsPaint(host::Form& form, int rounds);

} // namespace pkw::bench
