// SPDX-License-Identifier: MIT
#pragma once

#include <QRect>

// The reference program for press-to-pixels: the least a widget program
// does to show a press on a picture as a new count in a text box. The
// benchmark places it beside the game on the same screen.
namespace bench::reference {

inline constexpr const char* Title = "Referenz";
inline constexpr QPoint Position{840, 8};
inline constexpr QSize WindowSize{240, 270};
// Window-relative: the picture of the target and the box with the count.
inline constexpr QRect Picture{10, 10, 200, 200};
inline constexpr QRect CountBox{10, 220, 65, 26};
inline constexpr int TargetRadius = 30;

} // namespace bench::reference
