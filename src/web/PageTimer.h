// SPDX-License-Identifier: MIT
#pragma once

#include "game/main/IntervalTimer.h"

#include "Callback.h"

namespace web {

// Timer1 on the browser's timer: calls its tick handler every interval while
// enabled. The page runs one handler at a time, so a tick runs to completion
// before the next press or tick, and the browser delivers no missed ticks
// later one by one.
class PageTimer final : public game::IntervalTimer {
public:
    PageTimer(int intervalMs, Callback<void()> onTick);
    ~PageTimer() override;
    PageTimer(const PageTimer&) = delete;
    PageTimer& operator=(const PageTimer&) = delete;

private:
    static void fire(void* timer);
    void startTicks(int milliseconds) override;
    void stopTicks() override;
    bool ticking() const override { return running_ != 0; }

    Callback<void()> onTick_;
    long running_ = 0;   // the browser's id of the interval, 0 when stopped
};

} // namespace web
