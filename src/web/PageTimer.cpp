// SPDX-License-Identifier: MIT
#include "PageTimer.h"

#include "Trace.h"

#include "runtime/RuntimeError.h"
#include "game/TraceLines.h"

#include <emscripten/eventloop.h>

namespace web {

PageTimer::PageTimer(int intervalMs, std::function<void()> onTick) : onTick_(std::move(onTick)), interval_(intervalMs)
{
}

PageTimer::~PageTimer() { stop(); }

void PageTimer::fire(void* timer) { static_cast<PageTimer*>(timer)->onTick_(); }

void PageTimer::start()
{
    stop();
    running_ = emscripten_set_interval(&PageTimer::fire, double(interval_), this);
}

void PageTimer::stop()
{
    if (running_ != 0)
        emscripten_clear_interval(running_);
    running_ = 0;
}

void PageTimer::setEnabled(bool enabled)
{
    enabled_ = enabled;
    if (!enabled_)
        stop();
    else if (running_ == 0 && interval_ > 0)   // enabling a running timer keeps its pace
        start();
}

void PageTimer::setInterval(int milliseconds)
{
    if (milliseconds < 0)
        rt::raiseRuntimeError(rt::ErrorCode::InvalidPropertyValue);
    interval_ = milliseconds;
    trace(game::trace::intervalLine(interval_));
    if (interval_ == 0)
        stop();   // an interval of 0 holds the ticks back
    else if (enabled_)
        start();   // the next tick comes one new interval from now
}

} // namespace web
