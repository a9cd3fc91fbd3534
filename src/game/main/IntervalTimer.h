// SPDX-License-Identifier: MIT
#pragma once

#include "game/Ports.h"
#include "game/TraceLines.h"

namespace game {

// Timer1's rules over a toolkit's repeating timer: it ticks every interval
// while enabled. Enabling a timer that runs keeps its pace; a new interval
// restarts the wait, so the next tick already keeps the new pace; an
// interval of 0 holds the ticks back, also while enabled. Each front end
// gives the toolkit's timer below it.
class IntervalTimer : public GameTimer {
public:
    IntervalTimer(int intervalMs, const trace::Sink& trace) : interval_(intervalMs), trace_(trace) {}

    bool isEnabled() const { return enabled_; }
    void setEnabled(bool enabled) override;
    int interval() const { return interval_; }
    // Raises InvalidPropertyValue for a negative interval.
    void setInterval(int milliseconds);

private:
    // The toolkit's timer: the first tick one interval from the start.
    virtual void startTicks(int milliseconds) = 0;
    virtual void stopTicks() = 0;
    virtual bool ticking() const = 0;

    int interval_;
    bool enabled_ = false;
    const trace::Sink& trace_;
};

} // namespace game
