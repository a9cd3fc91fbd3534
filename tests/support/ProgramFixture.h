// SPDX-License-Identifier: MIT
#pragma once

#include "Doubles.h"

#include "app/Program.h"
#include "ui/main/Form1.h"

#include <QPoint>
#include <QPointF>
#include <QString>

#include <functional>
#include <memory>
#include <vector>

class QWidget;

namespace testing_support {

// A started program with a fixed clock and random numbers, whose end is
// recorded instead of leaving the event loop.
class ProgramFixture {
public:
    ProgramFixture();
    ~ProgramFixture();

    FakeClock clock;
    ScriptedRandom random;
    std::vector<int> exitCodes;

    app::Program& program() { return *program_; }
    ui::Form1& form1() { return program_->Form1(); }

    // Widget point of field pixel (x, y).
    QPoint fieldPoint(int x, int y) const;
    // Presses a mouse button on field pixel (x, y) as a player would.
    void clickField(int x, int y, Qt::MouseButton button = Qt::LeftButton,
                    Qt::KeyboardModifiers modifiers = Qt::NoModifier);
    // Runs one tick the way the timer does.
    void tick();
    // Field pixel of the current target's centre.
    QPoint targetCentre();
    // "Start" and the first tick, which puts the target where the random
    // numbers a and b place it. Returns its centre.
    QPoint startWithTargetAt(float a, float b);
    // A whole game of nine targets, each clicked at its centre, ticked by
    // tickOnce (tick() when empty). Returns the places of the targets.
    std::vector<QPoint> playGameHittingCentres(const std::function<void()>& tickOnce = {});

private:
    std::unique_ptr<app::Program> program_;
};

// A left press and release at the widget point, queued as the window system
// queues them.
void postClick(QWidget* target, QPointF at);
// The main window's control of that name, or nullptr.
QWidget* control(ui::Form1& f, const QString& name);

} // namespace testing_support
