// SPDX-License-Identifier: MIT
#pragma once

#include <QSize>
#include <QProcessEnvironment>
#include <QString>

#include <utility>
#include <vector>

namespace ui {
class Form1;
}

// The measurements of ringtafel_bench. Each runs on the started program's
// main window (all but the start-up) and returns medians of repeated runs.
namespace bench {

struct TickFigures {
    double tickMs = 0;       // Timer1_Timer plus the repaint it asks for
    double floorMs = 0;      // the tick's 60 busy pauses alone
    double ratio = 0;        // median of tick / floor over paired rounds
    int rounds = 0;
    int ticksNotPainted = 0; // measured ticks after which the field was not repainted
};
TickFigures measureTick(ui::Form1& form, int rounds);

struct ClickFigures {
    double medianUs = 0;
    double worstUs = 0;
    int clicks = 0;
    int misses = 0;          // clicks that left the score box unchanged
};
ClickFigures measureClick(ui::Form1& form, int clicks);

struct PaceFigures {
    int intervalMs = 0;
    int games = 0;
    std::vector<double> spacingsMs;   // between the starts of successive ticks
    std::vector<double> gamesMs;      // from "Start" to the end of the last tick
    bool stalled = false;             // a game did not end in time
};
PaceFigures measurePace(ui::Form1& form, int intervalMs, int games);

struct StartupFigures {
    double firstFrameMs = 0;   // from launch to the first finished frame
    double beforeMainMs = 0;   // of that, from launch to main()
    double peakMb = 0;         // peak resident memory until the first frame
    int runs = 0;
    int failures = 0;
};
struct StartupComparison {
    StartupFigures game;
    // A plain window with the main window's controls, captions and fonts and
    // a frame of the field's size: what any program showing this window pays
    // for. The floor for the game.
    StartupFigures sameLayout;
    // An empty window of the game's size with one line of text: what loading
    // the toolkit and one font costs, for reference.
    StartupFigures labelWindow;
    // Medians of the ratios of runs made one right after the other.
    double timeRatioToSameLayout = 0;
    double memoryRatioToSameLayout = 0;
    double timeRatioToLabel = 0;
    double memoryRatioToLabel = 0;
};
// Launches the game's probe and the two windows in turn, `runs` times each;
// the window with text gets the size of the game's. On the platform this
// process runs on, or with a display given, on that X server.
StartupComparison measureStartup(QSize gameWindow, int runs, const QString& display = {});

// What the player sees, measured on a private X server: the game and the
// reference program run as separate processes, get their input through XTest
// and are watched by reading their pixels back from the server.
struct PressFigures {
    std::vector<double> gameMs;        // press on a target's centre to new score pixels
    std::vector<double> referenceMs;   // press on the reference's target to new count pixels
    int gamesAsked = 0;                // whole games wanted
    int games = 0;                     // played
    int completeGames = 0;             // with every target seen and pressed
    int targetsSeen = 0;               // of nine a game
    int failures = 0;                  // presses never shown
    int late = 0;                      // presses that came after the next tick, not counted
    double readMs = 0;                 // one read of the score box, the resolution of the figures
};
struct ScreenPaceFigures {
    int intervalMs = 0;
    int games = 0;
    std::vector<double> spacingsMs;       // between successive targets appearing on the screen
    std::vector<double> startToFirstMs;   // from the click on "Start" to the first target on the screen
    int failures = 0;                     // games in which not all nine targets were seen
    double readPeriodMs = 0;              // from one read of the field to the next
};
struct ScreenFigures {
    QString problem;   // why nothing could be measured, if so
    PressFigures press;
    std::vector<ScreenPaceFigures> paces;
};
// The environment of a program on the benchmark's X server.
QProcessEnvironment onXServer(const QString& display);

// Starts the game and the reference program on the X server's display; plays
// pressGames games pressing every target, then for each pace the given
// number of games.
ScreenFigures measureOnScreen(const QString& display, int pressGames,
                              const std::vector<std::pair<int, int>>& pacesAndGames);

} // namespace bench
