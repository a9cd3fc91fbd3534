// SPDX-License-Identifier: MIT
#pragma once

#include "GameState.h"

#include <functional>
#include <string>

// The lines a front end writes when asked to trace what it handled, a line
// each and in the order handled. Tests follow a game by them, so every front
// end writes the same lines.
namespace game::trace {

std::string intervalLine(int milliseconds);        // "Timer1.Interval 410"
std::string startLine();                           // "Command1_Click"
std::string tickLine(const GameState& state);      // "Timer1_Timer Anzahl=2 xx=123 yy=45"
std::string pressLine(float X, float Y);           // "Picture1_MouseDown X=153 Y=75"

// Where a front end writes its lines (the standard error, the console) while
// tracing is on. The lines are made only then.
class Sink {
public:
    Sink(bool on, std::function<void(const std::string&)> write) : on_(on), write_(std::move(write)) {}

    bool on() const { return on_; }
    void write(const std::string& line) const
    {
        if (on_)
            write_(line);
    }

private:
    bool on_;
    std::function<void(const std::string&)> write_;
};

} // namespace game::trace
