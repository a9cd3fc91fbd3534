// SPDX-License-Identifier: MIT
#include "Benchmarks.h"
#include "Stats.h"

#include "ui/main/Form1.h"

#include <QApplication>
#include <QEventLoop>
#include <QPushButton>
#include <QScrollBar>
#include <QTimer>

namespace bench {

namespace {

// Notes when the latest timer event to a QTimer began. Timer1's tick is
// emitted from inside such an event, so a slot on the tick, which runs after
// the form's own handler, can still tell when the tick started.
class TimerEventStarts final : public QObject {
public:
    TimerEventStarts() { qApp->installEventFilter(this); }
    ~TimerEventStarts() override { qApp->removeEventFilter(this); }
    TimerEventStarts(const TimerEventStarts&) = delete;
    TimerEventStarts& operator=(const TimerEventStarts&) = delete;

    std::int64_t latest = 0;

    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Timer && qobject_cast<QTimer*>(watched) != nullptr)
            latest = monotonicNs();
        return QObject::eventFilter(watched, event);
    }
};

// One game, started with "Start" and played by the real timer to its end.
// Returns false if it did not end in time.
bool playGame(ui::Form1& form, int intervalMs, PaceFigures& figures)
{
    TimerEventStarts timerEvents;
    std::vector<std::int64_t> tickStarts;
    std::int64_t gameEnd = 0;
    QEventLoop loop;
    QObject scope;   // ends both connections with the game
    QObject::connect(&form.Timer1, &ui::TickTimer::tick, &scope, [&] {
        tickStarts.push_back(timerEvents.latest);
        if (!form.Timer1.isEnabled()) {   // the form's handler ended the game
            gameEnd = monotonicNs();
            loop.quit();
        }
    });
    QTimer::singleShot(intervalMs * 20 + 5000, &scope, [&loop] { loop.quit(); });

    const std::int64_t pressed = monotonicNs();
    form.Command1->click();
    loop.exec();
    if (gameEnd == 0)
        return false;

    for (std::size_t i = 1; i < tickStarts.size(); ++i)
        figures.spacingsMs.push_back(double(tickStarts[i] - tickStarts[i - 1]) / 1e6);
    figures.gamesMs.push_back(double(gameEnd - pressed) / 1e6);
    return true;
}

} // namespace

PaceFigures measurePace(ui::Form1& form, int intervalMs, int games)
{
    PaceFigures figures;
    figures.intervalMs = intervalMs;
    figures.games = games;
    form.HScroll1->setValue(1010 - intervalMs);   // the slider's change handler sets the interval
    if (form.Timer1.interval() != intervalMs) {
        figures.stalled = true;
        return figures;
    }
    for (int game = 0; game < games && !figures.stalled; ++game)
        figures.stalled = !playGame(form, intervalMs, figures);
    return figures;
}

} // namespace bench
