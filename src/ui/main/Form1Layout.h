// SPDX-License-Identifier: MIT
#pragma once

#include "ui/Look.h"
#include "ui/Twips.h"

#include "runtime/Colors.h"
#include "game/Pace.h"

// Design values of the main window: positions in twips (left, top, width,
// height) relative to the container, captions and fonts.
namespace ui::form1 {

inline constexpr const char* Caption = "Ringtafel-Programm";
inline constexpr rt::Rgb BackColor = rt::RGB(192, 192, 255);
inline constexpr TwipRect ClientArea{120, 120, 12192, 8736};
// The design client height ends above the credits line; the window grows
// to show it with a margin of the same size as the one to its left.
inline constexpr int ClientHeightWithCredits = 9480 + 255 + 240;

inline constexpr TwipRect HScroll1{9960, 5880, 2055, 255};
inline constexpr TwipRect Command3{9840, 2640, 1815, 495};
inline constexpr TwipRect Text6{8520, 8400, 1215, 855};
inline constexpr TwipRect Frame2{5400, 8280, 2655, 975};
inline constexpr TwipRect Option5{1440, 360, 975, 375};
inline constexpr TwipRect Option4{240, 240, 975, 615};
inline constexpr TwipRect Frame1{9840, 6600, 1935, 1335};
inline constexpr TwipRect Option3{120, 940, 1095, 375};
inline constexpr TwipRect Option2{120, 600, 1695, 375};
inline constexpr TwipRect Option1{120, 360, 975, 255};
inline constexpr TwipRect Text5{10680, 4920, 975, 390};
inline constexpr TwipRect Text4{10920, 4320, 735, 495};
inline constexpr TwipRect Text3{9960, 4320, 735, 495};
inline constexpr TwipRect Text2{10920, 3360, 735, 495};
inline constexpr TwipRect Text1{9960, 3360, 735, 495};
inline constexpr TwipRect Command2{10800, 2040, 855, 495};
inline constexpr TwipRect Command1{9840, 2040, 855, 495};
inline constexpr TwipRect Picture1{4320, 2040, 5415, 5895};
inline constexpr TwipRect Label6{9960, 6150, 2055, 255};
inline constexpr TwipRect Label5{9960, 5640, 2055, 375};
inline constexpr TwipRect Label4{4920, 9480, 5535, 255};
inline constexpr TwipRect Label3{9960, 5040, 615, 255};
inline constexpr TwipRect Label2{9960, 3960, 855, 375};
inline constexpr TwipRect Label1{9960, 3000, 615, 255};

inline constexpr FontSpec ButtonFont{"Arial", 12.0, false};
inline constexpr FontSpec ScoreFont{"MS Sans Serif", 12.0, true};
inline constexpr FontSpec HeadingFont{"MS Sans Serif", 9.6, true};
inline constexpr FontSpec PunkteFont{"MS Sans Serif", 7.8, true};

inline constexpr int SliderMin = game::SlowestSliderValue;
inline constexpr int SliderMax = game::FastestSliderValue;
inline constexpr int SliderArrowStep = 10;
inline constexpr int SliderTrackStep = 100;
inline constexpr int DesignInterval = 800;

inline constexpr const char* CreditsText = "Ringtafel \u2013 ein Ziel- und Reaktionsspiel";

} // namespace ui::form1
