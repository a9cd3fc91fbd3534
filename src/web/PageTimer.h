// SPDX-License-Identifier: MIT
#pragma once

#include "game/main/IntervalTimer.h"
#include "game/main/TickTimeline.h"

#include "Callback.h"

namespace web {

// Timer1 on the browser's timer: calls its tick handler every interval while
// enabled, each tick due on the game's own timeline (TickTimeline). The page
// runs one handler at a time, so a tick runs to completion before the next
// press or tick, and ticks that fell due meanwhile are not delivered later
// one by one.
class PageTimer final : public game::IntervalTimer {
public:
    PageTimer(int intervalMs, Callback<void()> onTick);
    ~PageTimer() override;
    PageTimer(const PageTimer&) = delete;
    PageTimer& operator=(const PageTimer&) = delete;

private:
    static void wake(void* timer);
    static void tick(void* timer);
    void waitForNextStep();
    void startTicks(int milliseconds) override;
    void stopTicks() override;
    bool ticking() const override { return running_; }

    Callback<void()> onTick_;
    game::TickTimeline timeline_;
    bool running_ = false;
    long pending_ = 0;          // the browser's id of the wait, 0 when none
    unsigned starts_ = 0;       // tells a tick whether its handler restarted or stopped the timer
};

} // namespace web
