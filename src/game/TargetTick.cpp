// SPDX-License-Identifier: MIT
#include "Game.h"

#include "runtime/RuntimeError.h"

#include <algorithm>
#include <cmath>

namespace game {

namespace {
constexpr int TargetSpan = 60;   // twice the outer radius of a target
}

std::int16_t finalScore(const std::string& scoreText, const rt::Variant& Punkte)
{
    try {
        return rt::textToInt16(scoreText);
    } catch (const rt::RuntimeError&) {
        // The running score held to 16 bits; one that is not a number
        // overflows as CInt would.
        const double running = Punkte.toDouble();
        if (std::isnan(running))
            rt::raiseRuntimeError(rt::ErrorCode::Overflow);
        return static_cast<std::int16_t>(std::clamp(running, -32768.0, 32767.0));
    }
}

void Game::tick()
{
    const float H = float(ports_.field.innerHeight() - TargetSpan);
    const float W = float(ports_.field.innerWidth() - TargetSpan);
    ports_.field.setBackColor(rt::White);
    painter_.wipe(state_);
    state_.xx = rt::Variant::single(rt::Int(W * ports_.random.next()));
    state_.yy = rt::Variant::single(rt::Int(H * ports_.random.next()));
    state_.Anzahl = static_cast<std::int16_t>(state_.Anzahl + 1);   // never beyond 11
    if (state_.Anzahl > 10)
        endGame();
    else
        painter_.paint(state_);
    state_.Startzeit = rt::Variant::single(ports_.clock.secondsSinceMidnight());
}

void Game::endGame()
{
    ports_.timer.setEnabled(false);
    ports_.field.cls();
    state_.Endstand = finalScore(ports_.displays.scoreText(), state_.Punkte);
    ports_.result.setSentence(resultSentence(state_.Endstand, rt::Precision::Integer));
    ports_.result.redrawNow();
    ports_.result.show();
}

} // namespace game
