// SPDX-License-Identifier: MIT
#include "Clock.h"

#include <chrono>
#include <ctime>

namespace rt {

float SystemClock::secondsSinceMidnight()
{
    using namespace std::chrono;
    const auto now = system_clock::now();
    const std::time_t seconds = system_clock::to_time_t(now);
    std::tm local{};
    localtime_r(&seconds, &local);
    const auto fraction = duration_cast<milliseconds>(now.time_since_epoch()) % 1000;
    const double sinceMidnight = local.tm_hour * 3600.0 + local.tm_min * 60.0 + local.tm_sec
                                 + double(fraction.count()) / 1000.0;
    return static_cast<float>(sinceMidnight);
}

} // namespace rt
