// SPDX-License-Identifier: MIT
#include "PageTimer.h"

#include "Trace.h"

#include <emscripten/eventloop.h>

namespace web {

PageTimer::PageTimer(int intervalMs, Callback<void()> onTick)
    : game::IntervalTimer(intervalMs, consoleTrace()), onTick_(onTick)
{
}

PageTimer::~PageTimer() { stopTicks(); }

void PageTimer::fire(void* timer) { static_cast<PageTimer*>(timer)->onTick_(); }

void PageTimer::startTicks(int milliseconds)
{
    stopTicks();
    running_ = emscripten_set_interval(&PageTimer::fire, double(milliseconds), this);
}

void PageTimer::stopTicks()
{
    if (running_ != 0)
        emscripten_clear_interval(running_);
    running_ = 0;
}

} // namespace web
