// SPDX-License-Identifier: MIT
#pragma once

#include "IntervalTimer.h"

#include "runtime/Clock.h"
#include "runtime/DrawingArea.h"
#include "runtime/Random.h"
#include "game/Game.h"
#include "game/Ports.h"
#include "game/TraceLines.h"

namespace game {

// The paces the main window sets, in milliseconds: the load handler's, which
// the slider replaces at once, and each level's.
inline constexpr int LoadInterval = 600;
inline constexpr int AnfaengerInterval = 800;
inline constexpr int FortgeschrittenerInterval = 600;
inline constexpr int ProfiInterval = 400;

// The windows the main window reaches besides itself.
enum class SecondaryWindow { Form2, Form3 };

// The main window's controls and the program as its handlers reach them,
// beyond what the game itself reaches. Each front end implements it for its
// toolkit; tests put a double in its place.
class MainWindowPorts : public Displays, public ResultWindow {
public:
    // HScroll1, the pace slider. A new value runs HScroll1_Change, as a move
    // by the player does.
    virtual int paceValue() const = 0;
    virtual void setPaceValue(int value) = 0;
    // Text6, the time points.
    virtual void setTimePointsShown(bool shown) = 0;
    // The result and explanation windows through their global references:
    // the first use of the result window loads it. Shown in front, a window
    // also comes forward when it was shown behind another, with the keyboard.
    virtual bool isShown(SecondaryWindow window) = 0;
    virtual void hide(SecondaryWindow window) = 0;
    virtual void showInFront(SecondaryWindow window) = 0;
    // Ends the program at once: no further handler runs.
    virtual void end() = 0;
};

// Everything the main window's handlers reach. References only: the window
// owns all of it and outlives its behaviour.
struct MainWindowParts {
    rt::DrawingArea& field;   // Picture1
    IntervalTimer& timer;     // Timer1
    MainWindowPorts& window;
    const trace::Sink& trace;
    rt::Clock& clock;
    rt::RandomSource& random;
};

// What each of the main window's handlers does, free of any toolkit: the
// desktop's Form1 and the page bind their controls' events to these. It owns
// the game and its state.
class MainWindowBehaviour {
public:
    explicit MainWindowBehaviour(MainWindowParts parts);

    void Form_Load();
    void Form_Click();
    void Command1_Click();
    void Command2_Click();
    void Command3_Click();
    void Timer1_Timer();
    void Picture1_MouseDown(int Button, int Shift, float X, float Y);
    void HScroll1_Change();
    void Option1_Click();
    void Option2_Click();
    void Option3_Click();
    void Option4_Click();
    void Option5_Click();

    Game& game() { return game_; }
    const GameState& state() const { return game_.state(); }
    GameState& state() { return game_.state(); }

private:
    MainWindowParts parts_;
    Game game_;
};

} // namespace game
