// SPDX-License-Identifier: MIT
#pragma once

#include "game/layout/Design.h"

#include "runtime/Colors.h"

// Design values of the explanation window.
namespace game::layout::form3 {

inline constexpr const char* Caption = "Ringtafel-Erklärung";
inline constexpr rt::Rgb BackColor = rt::RGB(255, 255, 192);
inline constexpr rt::Rgb TextColor = rt::RGB(0, 0, 0);
inline constexpr TwipRect ClientArea{4008, 3348, 6564, 6048};
inline constexpr TwipRect Command1{3000, 4800, 1215, 495};
inline constexpr TwipRect Label3{960, 3120, 4815, 1335};
inline constexpr TwipRect Label2{960, 960, 4935, 1455};
inline constexpr TwipRect Label1{960, 240, 4935, 495};
inline constexpr FontSpec TextFont{"Arial", 12.0, false};
inline constexpr FontSpec TitleFont{"Arial", 15.6, false};

namespace text {
inline constexpr const char* Command1 = "Zurück";
inline constexpr const char* Label1 = "Erklärung";
inline constexpr const char* Label2 =
    "Zum Starten bitte den Start-Button klicken. Nun erscheint im großen linken Feld in kurzen Abständen "
    "eine Ringtafel an zufällig ausgewählten Stellen.";
inline constexpr const char* Label3 =
    "Das Ziel ist es, mit dem Mauscursor die Ringtafel so weit wie möglich in der Mitte durch Klicken der "
    "linken Maustaste zu treffen.";
} // namespace text

} // namespace game::layout::form3
