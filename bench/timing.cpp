#include "bench/timing.h"

#include <windows.h>

#include <algorithm>

namespace pkw::bench {

double NowMicroseconds() {
    static const double ticksPerMicrosecond = [] {
        LARGE_INTEGER f{};
        ::QueryPerformanceFrequency(&f);
        return static_cast<double>(f.QuadPart) / 1e6;
    }();
    LARGE_INTEGER now{};
    ::QueryPerformanceCounter(&now);
    return static_cast<double>(now.QuadPart) / ticksPerMicrosecond;
}

double Median(std::vector<double> samples) {
    if (samples.empty()) return 0;
    const auto mid = samples.begin() + static_cast<std::ptrdiff_t>(samples.size() / 2);
    std::nth_element(samples.begin(), mid, samples.end());
    if (samples.size() % 2) return *mid;
    const double upper = *mid;
    return (*std::max_element(samples.begin(), mid) + upper) / 2;
}

} // namespace pkw::bench
