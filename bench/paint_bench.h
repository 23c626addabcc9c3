// Forced repaints of our check box beside a Windows BUTTON check box and an
// empty STATIC (the cost of a repaint as such) of the same size and caption
// on one form.
#pragma once

#include "host/form.h"

namespace pkw::bench {

using host::ComPtr;

struct PaintResult {
    double ours = 0, button = 0, statik = 0; // median microseconds
};

PaintResult MeasurePaint(host::Form& form, int rounds);

// A check box of the library, placed and shown on `form`; null on failure.
ComPtr<host::Site> PlaceCheckBox(host::Form& form, const wchar_t* name, const RECT& pixels);

} // namespace pkw::bench
