// SPDX-License-Identifier: MIT
#include "TickTimeline.h"

#include <algorithm>
#include <cmath>

namespace game {

void TickTimeline::start(double nowMs, int intervalMs)
{
    interval_ = std::max(1, intervalMs);
    due_ = nowMs + interval_;
}

TickTimeline::Step TickTimeline::next(double nowMs) const
{
    const double left = due_ - nowMs;
    if (left <= LastStepMs)
        return {std::max(0.0, left), true};
    return {std::min(left * StepShare, left - ShortestLastStepMs), false};
}

void TickTimeline::ticked(double nowMs)
{
    due_ += interval_;
    if (due_ <= nowMs)
        due_ += (std::floor((nowMs - due_) / interval_) + 1) * interval_;
}

} // namespace game
