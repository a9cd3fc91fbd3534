// SPDX-License-Identifier: MIT
#pragma once

namespace game {

// When a repeating tick is due, for a front end whose timer is a one-shot
// wait on a millisecond clock. Each tick is due one interval after the tick
// before was due, not after the callback that ran it, so one late callback
// does not push every later tick. Ticks that fell due while a tick was
// handled are dropped, not delivered later one by one.
//
// Some browsers let a long wait end late by a share of its length, to wake
// the processor less often. The wait therefore comes in steps: each ends
// well before the tick is due, and only the last, short one ends on it.
class TickTimeline {
public:
    // A wait that ends short of the due time by at least this share of it
    // still ends before the tick is due when it runs that much late.
    static constexpr double StepShare = 7.0 / 8.0;
    // A wait this short ends on the due time itself.
    static constexpr double LastStepMs = 8.0;

    struct Step {
        double waitMs;
        bool tickOnWake;   // false: wake, then ask for the next step
    };

    // The first tick is due one interval from now.
    void start(double nowMs, int intervalMs);
    // The wait from now to the next wake.
    Step next(double nowMs) const;
    // The tick has been handled: the next one is due one interval on, or,
    // if that time has passed meanwhile, at the first time on the timeline
    // still ahead.
    void ticked(double nowMs);
    double dueMs() const { return due_; }

private:
    double due_ = 0;
    double interval_ = 1;
};

} // namespace game
