// SPDX-License-Identifier: MIT
#include "Game.h"

#include <cmath>

namespace game {

namespace {

constexpr float SecondsPerDay = 86400.0f;

// Int((1 - reaction time) * 10), in single precision.
float timePoints(float reactionTime)
{
    return rt::Int((1.0f - reactionTime) * 10.0f);
}

} // namespace

void Game::shot(float X, float Y)
{
    Displays& displays = ports_.displays;
    displays.setText(Display::Text1, "X=" + rt::textForm(X));
    displays.setText(Display::Text2, "Y=" + rt::textForm(Y));
    displays.setText(Display::Text3, "xx=" + state_.xx.text());
    displays.setText(Display::Text4, "yy=" + state_.yy.text());

    const float now = ports_.clock.secondsSinceMidnight();
    state_.Klickzeit = rt::Variant::single(now);
    state_.Reaktionszeit = (state_.Klickzeit - state_.Startzeit).toSingle();
    // The clock restarts at midnight; a target completed before it and hit
    // after it must not get a negative reaction time.
    if (!state_.Startzeit.isEmpty() && state_.Reaktionszeit < 0.0f)
        state_.Reaktionszeit += SecondsPerDay;

    const rt::Rgb Farbe = ports_.field.point(X, Y);
    if (Farbe != rt::White) {
        rt::Variant Zeitpunkte = rt::Variant::single(timePoints(state_.Reaktionszeit));
        if (!displays.timeScoringSelected())
            Zeitpunkte = rt::Variant::integer(0);
        const rt::Variant thirty = rt::Variant::integer(30);
        const double dx = ((state_.xx + thirty) - rt::Variant::single(X)).toDouble();
        const double dy = ((state_.yy + thirty) - rt::Variant::single(Y)).toDouble();
        const double Abstand = rt::Int(std::sqrt(dx * dx + dy * dy));
        const rt::Variant Ringpunkte = rt::Variant::real(31.0 - Abstand);
        state_.Punkte = (state_.Punkte + Ringpunkte) + Zeitpunkte;
        displays.setText(Display::Text5, state_.Punkte.text());
    }
    displays.setText(Display::Text6, rt::textForm(timePoints(state_.Reaktionszeit)));
}

} // namespace game
