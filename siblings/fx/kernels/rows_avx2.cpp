// The row loops built for AVX2 (this file alone is compiled with -mavx2).
#include "rows.h"

namespace pkw::fx::rows_avx2 {
#include "rows.inl"
const RowOps& Ops() noexcept {
    return kOps;
}
} // namespace pkw::fx::rows_avx2
