// SPDX-License-Identifier: MIT
#pragma once

#include "GameState.h"
#include "runtime/Colors.h"
#include "runtime/DrawingArea.h"

namespace game {

// Draws and wipes a target as 30 circle outlines around (xx + 30, yy + 30),
// each followed by the busy pause. Changes no game variable.
class RingPainter {
public:
    static constexpr int Rings = 30;

    explicit RingPainter(rt::DrawingArea& field) : field_(field) {}

    // White outlines from radius 30 down to 1.
    void wipe(const GameState& state);
    // Palette outlines from radius 1 up to 30.
    void paint(const GameState& state);

    // Palette colour CInt(15 - r / 2): light yellow in the middle, black outside.
    static rt::Rgb ringColor(int radius);

private:
    void ring(const GameState& state, int radius, rt::Rgb color);

    rt::DrawingArea& field_;   // not owned
};

} // namespace game
