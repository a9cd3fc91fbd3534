// SPDX-License-Identifier: MIT
#pragma once

#include "runtime/Variant.h"

#include <cstdint>

namespace game {

// The state of one game. Owned by the main window for the life of the process.
struct GameState {
    // Final score of the last finished game, read from the score box at its end.
    std::int16_t Endstand = 0;
    // Offset of the current target's bounding square; its centre is (xx + 30, yy + 30).
    rt::Variant xx;
    rt::Variant yy;
    // Running score of the current game.
    rt::Variant Punkte;
    // Ticks of the current game: 1 after "Start", the game ends when it passes 10.
    std::int16_t Anzahl = 0;
    // Clock reading when the current target was complete.
    rt::Variant Startzeit;
    // Clock reading of the latest click in the field.
    rt::Variant Klickzeit;
    // Klickzeit - Startzeit of the latest click, in seconds.
    float Reaktionszeit = 0.0f;
};

} // namespace game
