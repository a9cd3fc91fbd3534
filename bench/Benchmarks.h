#pragma once

#include <QSize>

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
    StartupFigures emptyWindow;
    // For reference: the empty window with one line of text, the least that
    // any program showing text pays for loading fonts.
    StartupFigures labelWindow;
};
// Launches the game's probe and the two windows in turn, `runs` times each;
// the windows get the size of the game's.
StartupComparison measureStartup(QSize gameWindow, int runs);

} // namespace bench
