// SPDX-License-Identifier: MIT
#include "TraceLines.h"

#include <algorithm>
#include <array>
#include <cstdio>

namespace game::trace {

namespace {

template <typename... Values>
std::string formatted(const char* format, Values... values)
{
    std::array<char, 128> line{};
    const int length = std::snprintf(line.data(), line.size(), format, values...);
    return std::string(line.data(), std::size_t(std::clamp(length, 0, int(line.size()) - 1)));
}

} // namespace

std::string intervalLine(int milliseconds) { return formatted("Timer1.Interval %d", milliseconds); }

std::string startLine() { return "Command1_Click"; }

std::string tickLine(const GameState& state)
{
    return formatted("Timer1_Timer Anzahl=%d xx=%g yy=%g", int(state.Anzahl), state.xx.toDouble(),
                     state.yy.toDouble());
}

std::string pressLine(float X, float Y) { return formatted("Picture1_MouseDown X=%g Y=%g", double(X), double(Y)); }

} // namespace game::trace
