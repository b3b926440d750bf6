// The benchmarks' clock: the performance counter, in seconds.
#pragma once

#include <windows.h>

namespace vp::bench {

inline double secondsNow() {
    LARGE_INTEGER now{};
    LARGE_INTEGER frequency{};
    QueryPerformanceCounter(&now);
    QueryPerformanceFrequency(&frequency);
    return static_cast<double>(now.QuadPart) / static_cast<double>(frequency.QuadPart);
}

} // namespace vp::bench
