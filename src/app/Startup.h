// SPDX-License-Identifier: MIT
#pragma once

#include "Program.h"

class QApplication;

namespace app {

// The program as a player gets it: the system clock and a real random
// generator. Needs a prepared application; program().start() shows the game.
class RealProgram {
public:
    RealProgram() : program_({clock_, random_, {}}) {}
    Program& program() { return program_; }

private:
    rt::SystemClock clock_;
    rt::RandomGenerator random_;
    Program program_;   // after the services it refers to
};

// Process-wide set-up before the first window: German texts in the toolkit's
// own dialogs and menus, one widget style everywhere, the design fonts.
void prepareApplication(QApplication& application);

// Start-up of the game: prepares the application, creates and shows the main
// window, and runs the event loop until the program ends. Returns the exit code.
int runGame(int argc, char** argv);

} // namespace app
