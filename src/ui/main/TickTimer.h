// SPDX-License-Identifier: MIT
#pragma once

#include "game/main/IntervalTimer.h"

#include <QObject>
#include <QTimer>

namespace ui {

// Timer1 on the toolkit's timer: calls its tick handler every interval while
// enabled. A tick runs to completion before the next can start, and ticks
// missed meanwhile are not delivered later one by one.
class TickTimer final : public QObject, public game::IntervalTimer {
    Q_OBJECT
public:
    TickTimer(int intervalMs, QObject* parent);

signals:
    void tick();

private:
    void startTicks(int milliseconds) override { timer_.start(milliseconds); }
    void stopTicks() override { timer_.stop(); }
    bool ticking() const override { return timer_.isActive(); }

    QTimer timer_;
};

} // namespace ui
