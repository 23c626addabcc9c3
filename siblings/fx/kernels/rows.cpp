#include "rows.h"

namespace pkw::fx {

namespace rows_baseline {
const RowOps& Ops() noexcept;
}
#if PKW_FX_HAVE_AVX2
namespace rows_avx2 {
const RowOps& Ops() noexcept;
}
#endif

namespace {

bool HasAvx2() noexcept {
#if PKW_FX_HAVE_AVX2
    __builtin_cpu_init();
    return __builtin_cpu_supports("avx2");
#else
    return false;
#endif
}

struct Builds {
    RowOpsBuild list[2];
    std::size_t count = 0;

    Builds() noexcept {
        list[count++] = {"baseline", &rows_baseline::Ops()};
#if PKW_FX_HAVE_AVX2
        if (HasAvx2()) list[count++] = {"avx2", &rows_avx2::Ops()};
#endif
    }
};

const Builds& AvailableBuilds() noexcept {
    static const Builds builds;
    return builds;
}

} // namespace

std::span<const RowOpsBuild> RowOpsBuilds() noexcept {
    const Builds& b = AvailableBuilds();
    return {b.list, b.count};
}

const RowOps& Rows() noexcept {
    // The last build listed is the best one this processor runs.
    static const RowOps& best = *RowOpsBuilds().back().ops;
    return best;
}

} // namespace pkw::fx
