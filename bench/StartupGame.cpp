// SPDX-License-Identifier: MIT
// The game's start-up as app::runGame does it, with a probe that reports the
// first frame of the main window and then ends the program.
#include "FirstFrameProbe.h"
#include "Stats.h"

#include "app/Program.h"
#include "app/Startup.h"
#include "ui/main/Form1.h"

#include <QApplication>

int main(int argc, char** argv)
{
    const std::int64_t entered = bench::monotonicNs();
    QApplication application(argc, argv);
    app::prepareApplication(application);
    app::RealProgram game;
    // Program::start() would create the window the same way; the probe must
    // be watching before it is shown.
    bench::FirstFrameProbe probe(game.program().Form1(), entered);
    game.program().start();
    return QApplication::exec();
}
