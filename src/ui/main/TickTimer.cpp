// SPDX-License-Identifier: MIT
#include "TickTimer.h"

#include "Trace.h"

namespace ui {

TickTimer::TickTimer(int intervalMs, QObject* parent)
    : QObject(parent), game::IntervalTimer(intervalMs, standardErrorTrace())
{
    timer_.setTimerType(Qt::PreciseTimer);
    connect(&timer_, &QTimer::timeout, this, &TickTimer::tick);
}

} // namespace ui
