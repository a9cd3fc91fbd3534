// SPDX-License-Identifier: MIT
#pragma once

#include "GameState.h"
#include "Ports.h"
#include "RingPainter.h"
#include "runtime/Clock.h"
#include "runtime/DrawingArea.h"
#include "runtime/Random.h"

#include <string>

namespace game {

// Everything the game reaches outside itself. References only: the main
// window owns all of it and outlives the game.
struct GamePorts {
    rt::DrawingArea& field;
    GameTimer& timer;
    Displays& displays;
    ResultWindow& result;
    rt::Clock& clock;
    rt::RandomSource& random;
};

// The rules of a game: "Start", the timer tick and the evaluation of a click.
// Each lives in its own source file, named below.
class Game {
public:
    explicit Game(GamePorts ports) : ports_(ports), painter_(ports.field) {}

    // "Start": reseed, timer on, count from 1, score 0. (Game.cpp)
    void start();
    // One tick: clear, wipe, place, count, then paint or end the game.
    // (TargetTick.cpp, with the end of the game)
    void tick();
    // A mouse button pressed at field pixel (X, Y). (ShotEvaluation.cpp)
    void shot(float X, float Y);

    const GameState& state() const { return state_; }
    GameState& state() { return state_; }

private:
    void endGame();   // TargetTick.cpp

    GameState state_;
    GamePorts ports_;
    RingPainter painter_;
};

// "Sie haben " + text form of the score + " Punkte erreicht!" (Game.cpp)
std::string resultSentence(double score, rt::Precision precision);

// The final score from the score box's text. A text that is no 16-bit number
// (letters, empty, out of range) must not stop the program: the running
// score, clamped to the 16-bit range, stands in for it; a running score that
// is not a number raises Overflow. (TargetTick.cpp)
std::int16_t finalScore(const std::string& scoreText, const rt::Variant& Punkte);

} // namespace game
