// SPDX-License-Identifier: MIT
#include "IntervalTimer.h"

#include "runtime/RuntimeError.h"

namespace game {

void IntervalTimer::setEnabled(bool enabled)
{
    enabled_ = enabled;
    if (!enabled_)
        stopTicks();
    else if (!ticking() && interval_ > 0)   // enabling a running timer keeps its pace
        startTicks(interval_);
}

void IntervalTimer::setInterval(int milliseconds)
{
    if (milliseconds < 0)
        rt::raiseRuntimeError(rt::ErrorCode::InvalidPropertyValue);
    interval_ = milliseconds;
    if (trace_.on())
        trace_.write(trace::intervalLine(interval_));
    if (interval_ == 0)
        stopTicks();   // an interval of 0 holds the ticks back
    else if (enabled_)
        startTicks(interval_);   // the next tick comes one new interval from now
}

} // namespace game
