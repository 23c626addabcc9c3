// The row loops for the baseline processor of the target.
#include "rows.h"

namespace pkw::fx::rows_baseline {
#include "rows.inl"
const RowOps& Ops() noexcept {
    return kOps;
}
} // namespace pkw::fx::rows_baseline
