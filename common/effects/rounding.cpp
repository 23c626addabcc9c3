#include "common/effects/rounding.h"

#include <cmath>

namespace pkw::effects {

long RoundHalfEven(double value) noexcept {
    const double below = std::floor(value);
    const double fraction = value - below;
    long result = static_cast<long>(below);
    if (fraction > 0.5 || (fraction == 0.5 && (result % 2 != 0))) ++result;
    return result;
}

} // namespace pkw::effects
