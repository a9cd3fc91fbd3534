// SPDX-License-Identifier: MIT
#pragma once

namespace rt {

// Seconds since local midnight, single precision, with a fraction.
class Clock {
public:
    virtual ~Clock() = default;
    virtual float secondsSinceMidnight() = 0;
};

class SystemClock final : public Clock {
public:
    float secondsSinceMidnight() override;
};

} // namespace rt
