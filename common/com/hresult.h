// Error flow at COM boundaries: return the first failure, say so when a
// failure is dropped on purpose.
#pragma once

#include <windows.h>

#define PKW_RETURN_IF_FAILED(expr)                                                                 \
    do {                                                                                           \
        const HRESULT pkw_hr_ = (expr);                                                            \
        if (FAILED(pkw_hr_)) return pkw_hr_;                                                       \
    } while (0)

#define PKW_RETURN_HR_IF_NULL(hr, ptr)                                                             \
    do {                                                                                           \
        if (!(ptr)) return (hr);                                                                   \
    } while (0)

namespace pkw {

// Marks a result that is ignored on purpose (the caller's rules say so).
inline void ignore(HRESULT) noexcept {}

} // namespace pkw
