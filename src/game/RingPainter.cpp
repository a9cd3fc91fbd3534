// SPDX-License-Identifier: MIT
#include "RingPainter.h"

#include "BusyPause.h"
#include "runtime/Numbers.h"

namespace game {

rt::Rgb RingPainter::ringColor(int radius)
{
    return rt::paletteColor(rt::CInt(15.0 - radius / 2.0));
}

void RingPainter::ring(const GameState& state, int radius, rt::Rgb color)
{
    // The centre is read anew for every ring.
    const rt::Variant thirty = rt::Variant::integer(30);
    const float x = (state.xx + thirty).toSingle();
    const float y = (state.yy + thirty).toSingle();
    field_.circle(x, y, float(radius), color);
    busyPause();
}

void RingPainter::wipe(const GameState& state)
{
    for (int r = Rings; r >= 1; --r)
        ring(state, r, rt::White);
}

void RingPainter::paint(const GameState& state)
{
    for (int r = 1; r <= Rings; ++r)
        ring(state, r, ringColor(r));
}

} // namespace game
