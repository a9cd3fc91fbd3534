#pragma once

class QApplication;

namespace app {

// Process-wide set-up before the first window: German texts in the toolkit's
// own dialogs and menus, one widget style everywhere, the design fonts.
void prepareApplication(QApplication& application);

// Start-up of the game: prepares the application, creates and shows the main
// window, and runs the event loop until the program ends. Returns the exit code.
int runGame(int argc, char** argv);

} // namespace app
