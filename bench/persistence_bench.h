// Saving and loading a check box with VisualEffectStyle 1: through a stream
// (IPersistStreamInit) and through an in-memory bag of VARIANTs
// (IPersistPropertyBag), from one control into another on the same form.
#pragma once

#include "host/form.h"

namespace pkw::bench {

using host::ComPtr;

struct PersistResult {
    double saveLoad = 0, save = 0, load = 0; // median microseconds
    std::size_t size = 0;                    // stream bytes, or bag writes
    std::size_t keys = 0;                    // distinct keys in the bag
};

struct PersistResults {
    PersistResult stream, bag;
};

PersistResults MeasurePersistence(host::Form& form, int rounds);

} // namespace pkw::bench
