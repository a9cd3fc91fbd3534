// SPDX-License-Identifier: MIT
#include "Pace.h"

#include <algorithm>

namespace game {

int paceMilliseconds(int sliderValue)
{
    return 1010 - std::clamp(sliderValue, SlowestSliderValue, FastestSliderValue);
}

std::string paceText(int sliderValue)
{
    return std::to_string(paceMilliseconds(sliderValue)) + " Millisekunden je Ziel";
}

} // namespace game
