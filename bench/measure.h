#pragma once

// Timing for benchmarks on a shared, noisy machine: CPU time (what the work
// itself costs, whatever else runs) and the median of paired ratios.

#include <algorithm>
#include <ctime>
#include <functional>
#include <vector>

namespace bench {

// CPU seconds, user and system, that this thread spends on `work`.
inline double CpuSeconds(const std::function<void()>& work) {
    auto now = [] {
        timespec t{};
        ::clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
        return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_nsec) * 1e-9;
    };
    double start = now();
    work();
    return now() - start;
}

inline double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    std::size_t middle = values.size() / 2;
    return values.size() % 2 ? values[middle] : (values[middle - 1] + values[middle]) / 2;
}

} // namespace bench
