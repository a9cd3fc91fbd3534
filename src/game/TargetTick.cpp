// SPDX-License-Identifier: MIT
#include "Game.h"

#include "runtime/RuntimeError.h"

#include <algorithm>

namespace game {

namespace {
constexpr int TargetSpan = 60;   // twice the outer radius of a target
}

std::int16_t finalScore(const std::string& scoreText, const rt::Variant& Punkte)
{
    try {
        return rt::textToInt16(scoreText);
    } catch (const rt::RuntimeError&) {
        const double clamped = std::clamp(Punkte.toDouble(), -32768.0, 32767.0);
        return static_cast<std::int16_t>(clamped);
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
