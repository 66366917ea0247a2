// SPDX-License-Identifier: GPL-3.0-or-later
// The clocks of the benchmarks: the wall time and the process's CPU time of
// each run of a step, and the table row of their median and worst. On a busy
// machine the CPU time tells what the step costs; the wall time what the
// player waits.
#pragma once

#include <time.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

namespace quibbly::bench {

// The two clocks at the start of a step.
struct Clock {
    std::chrono::steady_clock::time_point wall = std::chrono::steady_clock::now();
    double cpu = CpuMs();
    static double CpuMs() {
        timespec now{};
        clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
        return static_cast<double>(now.tv_sec) * 1e3 + static_cast<double>(now.tv_nsec) * 1e-6;
    }
};

// The milliseconds of every run of one step.
struct Timing {
    std::vector<double> wall, cpu;
    void Add(const Clock& start) {
        wall.push_back(
            std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start.wall).count());
        cpu.push_back(Clock::CpuMs() - start.cpu);
    }
};

inline double Median(std::vector<double> ms) {
    std::sort(ms.begin(), ms.end());
    return ms[ms.size() / 2];
}

// The value a share p of the values do not exceed (0.5: the median).
template <class T>
T Percentile(std::vector<T> values, double p) {
    if (values.empty()) return T{};
    std::sort(values.begin(), values.end());
    const auto rank = static_cast<std::size_t>(p * static_cast<double>(values.size() - 1) + 0.5);
    return values[std::min(rank, values.size() - 1)];
}

inline double Worst(const std::vector<double>& ms) {
    return *std::max_element(ms.begin(), ms.end());
}

// The cells "median wall | worst wall | median CPU |" of a table row.
inline std::string Cells(const Timing& timing) {
    char text[96];
    std::snprintf(text, sizeof text, "%.1f ms | %.1f ms | %.1f ms |", Median(timing.wall), Worst(timing.wall),
                  Median(timing.cpu));
    return text;
}

// A row of the table: the step, then its cells.
inline void Row(const std::string& what, const Timing& timing) {
    std::printf("| %s | %s\n", what.c_str(), Cells(timing).c_str());
}

}  // namespace quibbly::bench
