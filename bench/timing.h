// Timing for the benchmarks: a microsecond clock and the median of samples.
#pragma once

#include <vector>

namespace pkw::bench {

// Microseconds since an arbitrary start, from the performance counter.
double NowMicroseconds();

// The median (the mean of the middle two for an even count); 0 for none.
double Median(std::vector<double> samples);

// Runs `f` and returns how long it took, in microseconds.
template <typename F>
double Time(F&& f) {
    const double start = NowMicroseconds();
    f();
    return NowMicroseconds() - start;
}

} // namespace pkw::bench
