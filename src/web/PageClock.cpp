// SPDX-License-Identifier: MIT
#include "PageClock.h"

extern "C" double ringtafel_js_seconds_since_midnight() noexcept;

namespace web {

float PageClock::secondsSinceMidnight() { return static_cast<float>(ringtafel_js_seconds_since_midnight()); }

} // namespace web
