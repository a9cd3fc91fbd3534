// SPDX-License-Identifier: MIT
#pragma once

#include <string>

namespace game {

// The pace slider's range: the left end is the slowest pace.
inline constexpr int SlowestSliderValue = 10;
inline constexpr int FastestSliderValue = 1000;

// The time between targets that a slider value sets, in milliseconds:
// 1010 - value in 16-bit arithmetic, so a value or a difference beyond 16 bits
// raises Overflow. The timer and the spoken pace both take it from here.
int paceMilliseconds(int sliderValue);

// The pace in words, e.g. "410 Millisekunden je Ziel". A value outside the
// slider's range counts as the nearer end.
std::string paceText(int sliderValue);

} // namespace game
