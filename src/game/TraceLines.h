// SPDX-License-Identifier: MIT
#pragma once

#include "GameState.h"

#include <string>

// The lines a front end writes when asked to trace what it handled, a line
// each and in the order handled. Tests follow a game by them, so every front
// end writes the same lines.
namespace game::trace {

std::string intervalLine(int milliseconds);        // "Timer1.Interval 410"
std::string startLine();                           // "Command1_Click"
std::string tickLine(const GameState& state);      // "Timer1_Timer Anzahl=2 xx=123 yy=45"
std::string pressLine(float X, float Y);           // "Picture1_MouseDown X=153 Y=75"

// Where a front end writes its lines: the standard error, the console. The
// lines are made only while tracing is on.
class Sink {
public:
    virtual bool on() const = 0;
    virtual void write(const std::string& line) = 0;

protected:
    ~Sink() = default;
};

} // namespace game::trace
