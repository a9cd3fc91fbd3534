// SPDX-License-Identifier: MIT
#include "PageTimer.h"

#include "Trace.h"

#include <emscripten/emscripten.h>
#include <emscripten/eventloop.h>

namespace web {

PageTimer::PageTimer(int intervalMs, Callback<void()> onTick)
    : game::IntervalTimer(intervalMs, consoleTrace()), onTick_(onTick)
{
}

PageTimer::~PageTimer() { stopTicks(); }

void PageTimer::wake(void* timer)
{
    auto& self = *static_cast<PageTimer*>(timer);
    self.pending_ = 0;
    self.waitForNextStep();
}

void PageTimer::tick(void* timer)
{
    auto& self = *static_cast<PageTimer*>(timer);
    self.pending_ = 0;
    const unsigned start = self.starts_;
    self.onTick_();
    if (self.starts_ != start)
        return;   // the handler stopped the ticks, or started them anew
    self.timeline_.ticked(emscripten_get_now());
    self.waitForNextStep();
}

void PageTimer::waitForNextStep()
{
    const game::TickTimeline::Step step = timeline_.next(emscripten_get_now());
    pending_ = emscripten_set_timeout(step.tickOnWake ? &PageTimer::tick : &PageTimer::wake, step.waitMs, this);
}

void PageTimer::startTicks(int milliseconds)
{
    stopTicks();
    running_ = true;
    timeline_.start(emscripten_get_now(), milliseconds);
    waitForNextStep();
}

void PageTimer::stopTicks()
{
    if (pending_ != 0)
        emscripten_clear_timeout(pending_);
    pending_ = 0;
    running_ = false;
    ++starts_;
}

} // namespace web
