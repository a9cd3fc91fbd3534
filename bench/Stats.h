// SPDX-License-Identifier: MIT
#pragma once

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <ctime>
#include <vector>

namespace bench {

// Nanoseconds on the monotonic clock. The same clock in every process of the
// machine, so a child's report can be set against the parent's launch time.
inline std::int64_t monotonicNs()
{
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    return std::int64_t(now.tv_sec) * 1'000'000'000 + now.tv_nsec;
}

inline double median(std::vector<double> values)
{
    if (values.empty())
        return 0.0;
    std::sort(values.begin(), values.end());
    const std::size_t middle = values.size() / 2;
    return values.size() % 2 == 1 ? values[middle] : (values[middle - 1] + values[middle]) / 2.0;
}

// The value below which the given share of the values lie (nearest rank).
inline double percentile(std::vector<double> values, double share)
{
    if (values.empty())
        return 0.0;
    std::sort(values.begin(), values.end());
    const double rank = std::ceil(share * double(values.size()));
    const std::size_t index = rank < 1.0 ? 0 : std::size_t(rank) - 1;
    return values[std::min(index, values.size() - 1)];
}

// The value farthest from the target, either way.
inline double farthestFrom(const std::vector<double>& values, double target)
{
    double worst = target;
    for (double value : values)
        if (std::abs(value - target) > std::abs(worst - target))
            worst = value;
    return worst;
}

} // namespace bench
