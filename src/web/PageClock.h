// SPDX-License-Identifier: MIT
#pragma once

#include "runtime/Clock.h"

namespace web {

// The wall clock as the browser keeps it, read in one crossing. The C
// library's local time builds three dates for each reading, to find the
// summer time the game never asks for, and a hit reads the clock.
class PageClock final : public rt::Clock {
public:
    float secondsSinceMidnight() override;
};

} // namespace web
