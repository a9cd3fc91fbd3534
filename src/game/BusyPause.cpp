// SPDX-License-Identifier: MIT
#include "BusyPause.h"

#include <cmath>

namespace game {

namespace {
// Stored through volatile objects so that the optimiser neither folds the
// sines nor drops the loop.
volatile double pauseInput = 0.0;
volatile double pauseSink = 0.0;
} // namespace

void busyPause()
{
    for (int step = 0; step < BusyPauseSteps; ++step)
        pauseSink = std::sin(pauseInput);
}

} // namespace game
