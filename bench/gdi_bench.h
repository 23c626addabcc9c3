// Live GDI objects per shown, idle control: 50 of our check boxes, then 50
// Windows BUTTON check boxes, each counted in a second round (the first
// fills Wine's DC cache and the font caches).
#pragma once

#include "host/form.h"

namespace pkw::bench {

using host::ComPtr;

struct GdiResult {
    double ours = 0, button = 0; // objects per control
};

GdiResult MeasureGdiObjects(host::Form& form, int controls);

} // namespace pkw::bench
