// SPDX-License-Identifier: MIT
#include "Benchmarks.h"
#include "Stats.h"

#include "game/BusyPause.h"
#include "game/RingPainter.h"
#include "ui/main/Form1.h"

#include <QApplication>
#include <QEvent>

namespace bench {

namespace {

// Counts the paints of the target field, to make sure every measured tick
// did reach the screen.
class PaintCounter final : public QObject {
public:
    explicit PaintCounter(QWidget& widget) : widget_(widget) { widget_.installEventFilter(this); }
    ~PaintCounter() override { widget_.removeEventFilter(this); }
    PaintCounter(const PaintCounter&) = delete;
    PaintCounter& operator=(const PaintCounter&) = delete;

    int paints = 0;

    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Paint)
            ++paints;
        return QObject::eventFilter(watched, event);
    }

private:
    QWidget& widget_;
};

// One tick wipes 30 rings and draws 30, each followed by a busy pause.
constexpr int PausesPerTick = 2 * game::RingPainter::Rings;

double oneTickMs(ui::Form1& form, PaintCounter& counter, int& notPainted)
{
    form.state().Anzahl = 1;   // a target is drawn; the game's end never comes
    const int paintsBefore = counter.paints;
    const std::int64_t start = monotonicNs();
    form.Timer1_Timer();
    // The field schedules its repaint once the tick has returned; let the
    // event loop carry it through to the screen.
    for (int pass = 0; pass < 4 && counter.paints == paintsBefore; ++pass)
        QApplication::processEvents();
    const std::int64_t end = monotonicNs();
    if (counter.paints == paintsBefore)
        ++notPainted;
    return double(end - start) / 1e6;
}

double floorMs()
{
    const std::int64_t start = monotonicNs();
    for (int pause = 0; pause < PausesPerTick; ++pause)
        game::busyPause();
    return double(monotonicNs() - start) / 1e6;
}

} // namespace

TickFigures measureTick(ui::Form1& form, int rounds)
{
    PaintCounter counter(*form.Picture1);
    int notPainted = 0;
    for (int warmUp = 0; warmUp < 5; ++warmUp) {
        oneTickMs(form, counter, notPainted);
        floorMs();
    }
    notPainted = 0;

    // Tick and floor alternate, and which goes first swaps every round, so
    // that a change of processor speed weighs on both alike.
    std::vector<double> ticks, floors, ratios;
    for (int round = 0; round < rounds; ++round) {
        double tick = 0, floor = 0;
        if (round % 2 == 0) {
            tick = oneTickMs(form, counter, notPainted);
            floor = floorMs();
        } else {
            floor = floorMs();
            tick = oneTickMs(form, counter, notPainted);
        }
        ticks.push_back(tick);
        floors.push_back(floor);
        ratios.push_back(tick / floor);
    }
    return {median(ticks), median(floors), median(ratios), rounds, notPainted};
}

} // namespace bench
