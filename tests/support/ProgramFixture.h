// SPDX-License-Identifier: MIT
#pragma once

#include "Doubles.h"

#include "app/Program.h"
#include "ui/main/Form1.h"

#include <QPoint>

#include <memory>
#include <vector>

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
    // A whole game of nine targets, each clicked at its centre. Returns the
    // places of the targets.
    std::vector<QPoint> playGameHittingCentres();

private:
    std::unique_ptr<app::Program> program_;
};

} // namespace testing_support
