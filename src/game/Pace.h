// SPDX-License-Identifier: MIT
#pragma once

#include <string>

namespace game {

// The pace slider's range: the left end is the slowest pace.
inline constexpr int SlowestSliderValue = 10;
inline constexpr int FastestSliderValue = 1000;

// The time between targets that a slider value sets, in milliseconds. A value
// outside the slider's range counts as the nearer end.
int paceMilliseconds(int sliderValue);

// The pace in words, e.g. "410 Millisekunden je Ziel".
std::string paceText(int sliderValue);

} // namespace game
