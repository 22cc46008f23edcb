// Timing and summary helpers shared by the Windows-side benchmark programs:
// the performance counter in microseconds and the median of a series.
#ifndef VORNEL_TESTS_BENCH_BENCH_TIMING_H
#define VORNEL_TESTS_BENCH_BENCH_TIMING_H

#include <windows.h>

#include <algorithm>
#include <vector>

// Microseconds since an arbitrary origin, from the performance counter.
inline double NowMicroseconds()
{
    static LARGE_INTEGER frequency = [] {
        LARGE_INTEGER f;
        QueryPerformanceFrequency(&f);
        return f;
    }();
    LARGE_INTEGER now;
    QueryPerformanceCounter(&now);
    return static_cast<double>(now.QuadPart) * 1e6 / static_cast<double>(frequency.QuadPart);
}

// The median of a series; 0 for an empty one. Takes a copy: the caller's
// order stays as it was measured.
inline double Median(std::vector<double> values)
{
    if (values.empty())
        return 0.0;
    std::sort(values.begin(), values.end());
    size_t middle = values.size() / 2;
    return values.size() % 2 ? values[middle] : (values[middle - 1] + values[middle]) / 2.0;
}

inline double Minimum(const std::vector<double>& values)
{
    return values.empty() ? 0.0 : *std::min_element(values.begin(), values.end());
}

inline double Maximum(const std::vector<double>& values)
{
    return values.empty() ? 0.0 : *std::max_element(values.begin(), values.end());
}

#endif
