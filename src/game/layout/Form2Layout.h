// SPDX-License-Identifier: MIT
#pragma once

#include "game/layout/Design.h"

#include "runtime/Colors.h"

// Design values of the result window.
namespace game::layout::form2 {

inline constexpr const char* Caption = "Ringtafel-Auswertung";
inline constexpr rt::Rgb BackColor = rt::RGB(255, 224, 192);
inline constexpr rt::Rgb SentenceColor = rt::RGB(0, 0, 64);
inline constexpr TwipRect ClientArea{1728, 1608, 7992, 5100};
inline constexpr TwipRect Command1{3120, 4320, 1575, 615};
inline constexpr TwipRect Label2{1320, 3000, 5295, 495};
inline constexpr TwipRect Label1{840, 480, 6255, 2295};
inline constexpr FontSpec ButtonFont{"Arial", 12.0, false};
inline constexpr FontSpec MaximumFont{"MS Sans Serif", 18.0, true};
inline constexpr FontSpec SentenceFont{"MS Sans Serif", 24.0, false};
inline constexpr const char* SavePath = "C:\\Programme\\Ringtafel\\Ergebnis.txt";

namespace text {
inline constexpr const char* Command1 = "Zurück";
inline constexpr const char* Label2 = "(Maximum: 310 Punkte)";
} // namespace text

} // namespace game::layout::form2
