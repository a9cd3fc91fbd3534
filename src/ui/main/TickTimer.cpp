// SPDX-License-Identifier: MIT
#include "TickTimer.h"

#include "Trace.h"
#include "runtime/RuntimeError.h"
#include "game/TraceLines.h"

namespace ui {

TickTimer::TickTimer(int intervalMs, QObject* parent) : QObject(parent), interval_(intervalMs)
{
    timer_.setTimerType(Qt::PreciseTimer);
    timer_.setInterval(interval_);
    connect(&timer_, &QTimer::timeout, this, &TickTimer::tick);
}

void TickTimer::setEnabled(bool enabled)
{
    enabled_ = enabled;
    if (!enabled_)
        timer_.stop();
    else if (!timer_.isActive() && interval_ > 0)   // enabling a running timer keeps its pace
        timer_.start(interval_);
}

void TickTimer::setInterval(int milliseconds)
{
    if (milliseconds < 0)
        rt::raiseRuntimeError(rt::ErrorCode::InvalidPropertyValue);
    interval_ = milliseconds;
    if (tracing())
        trace("%s", game::trace::intervalLine(interval_).c_str());
    if (interval_ == 0)
        timer_.stop();   // an interval of 0 holds the ticks back
    else if (enabled_)
        timer_.start(interval_);   // the next tick comes one new interval from now
}

} // namespace ui
