// SPDX-License-Identifier: MIT
#include "Pace.h"

#include "runtime/Numbers.h"

#include <algorithm>

namespace game {

int paceMilliseconds(int sliderValue)
{
    return rt::subtractInt16(1010, rt::CInt(sliderValue));
}

std::string paceText(int sliderValue)
{
    const int onTheSlider = std::clamp(sliderValue, SlowestSliderValue, FastestSliderValue);
    return std::to_string(paceMilliseconds(onTheSlider)) + " Millisekunden je Ziel";
}

} // namespace game
