// SPDX-License-Identifier: MIT
#include "Game.h"

namespace game {

std::string resultSentence(double score, rt::Precision precision)
{
    return "Sie haben " + rt::textForm(score, precision) + " Punkte erreicht!";
}

void Game::start()
{
    ports_.random.reseed(ports_.clock.secondsSinceMidnight());
    ports_.timer.setEnabled(true);
    state_.Anzahl = 1;
    state_.Punkte = rt::Variant::integer(0);
    ports_.displays.setText(Display::Text5, state_.Punkte.text());
}

} // namespace game
