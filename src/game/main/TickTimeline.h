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
// the processor less often; others wait at least a few milliseconds once
// timers have set each other many times over. The wait therefore comes in
// steps: each ends well before the tick is due, and the last, which ends on
// it, is short enough to end nearly on time and long enough not to be
// stretched.
class TickTimeline {
public:
    // A wait of this share of the time left still ends before the tick is
    // due when it runs late by a tenth of its length.
    static constexpr double StepShare = 7.0 / 8.0;
    // A wait this short ends on the due time itself ...
    static constexpr double LastStepMs = 20.0;
    // ... and a step before it leaves at least this long for it.
    static constexpr double ShortestLastStepMs = 10.0;

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
