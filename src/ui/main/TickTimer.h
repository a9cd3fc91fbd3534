// SPDX-License-Identifier: MIT
#pragma once

#include "game/Ports.h"

#include <QObject>
#include <QTimer>

namespace ui {

// Timer1: calls its tick handler every interval while enabled. A tick runs to
// completion before the next can start, and ticks missed meanwhile are not
// delivered later one by one. A new interval set while running restarts the
// wait, so the next tick already keeps the new pace.
class TickTimer final : public QObject, public game::GameTimer {
    Q_OBJECT
public:
    TickTimer(int intervalMs, QObject* parent);

    bool isEnabled() const { return enabled_; }
    void setEnabled(bool enabled) override;
    int interval() const { return interval_; }
    // Raises InvalidPropertyValue for a negative interval.
    void setInterval(int milliseconds);

signals:
    void tick();

private:
    QTimer timer_;
    int interval_;
    bool enabled_ = false;
};

} // namespace ui
