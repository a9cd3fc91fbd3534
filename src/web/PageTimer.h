// SPDX-License-Identifier: MIT
#pragma once

#include "game/Ports.h"

#include <functional>

namespace web {

// Timer1 on the browser's timer: calls its tick handler every interval while
// enabled. The page runs one handler at a time, so a tick runs to completion
// before the next press or tick, and the browser delivers no missed ticks
// later one by one. A new interval set while running restarts the wait.
class PageTimer final : public game::GameTimer {
public:
    PageTimer(int intervalMs, std::function<void()> onTick);
    ~PageTimer() override;
    PageTimer(const PageTimer&) = delete;
    PageTimer& operator=(const PageTimer&) = delete;

    bool isEnabled() const { return enabled_; }
    void setEnabled(bool enabled) override;
    int interval() const { return interval_; }
    // Raises InvalidPropertyValue for a negative interval.
    void setInterval(int milliseconds);

private:
    static void fire(void* timer);
    void start();
    void stop();

    std::function<void()> onTick_;
    int interval_;
    bool enabled_ = false;
    long running_ = 0;   // the browser's id of the interval, 0 when stopped
};

} // namespace web
