// SPDX-License-Identifier: MIT
#include "Clock.h"

#include <ctime>

namespace rt {

// The wall clock through POSIX: std::chrono's clock would bring its error
// reporting (std::system_error and every errno's text) into the page.
float SystemClock::secondsSinceMidnight()
{
    std::timespec now{};
    clock_gettime(CLOCK_REALTIME, &now);
    std::tm local{};
    localtime_r(&now.tv_sec, &local);
    const long milliseconds = now.tv_nsec / 1000000;
    const double sinceMidnight = local.tm_hour * 3600.0 + local.tm_min * 60.0 + local.tm_sec
                                 + double(milliseconds) / 1000.0;
    return static_cast<float>(sinceMidnight);
}

} // namespace rt
