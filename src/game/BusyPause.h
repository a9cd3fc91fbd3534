// SPDX-License-Identifier: MIT
#pragma once

namespace game {

// Steps of the pause after each ring. It is a fixed amount of processor
// work, not a fixed time, and lets no event through.
inline constexpr int BusyPauseSteps = 5000;

void busyPause();

} // namespace game
