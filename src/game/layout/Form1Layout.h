// SPDX-License-Identifier: MIT
#pragma once

#include "game/layout/Design.h"

#include "runtime/Colors.h"
#include "game/Pace.h"

// Design values of the main window: positions in twips (left, top, width,
// height) relative to the container, captions, texts and fonts.
namespace game::layout::form1 {

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
inline constexpr rt::Rgb PunkteColor = rt::RGB(0, 0, 0);

inline constexpr int SliderMin = game::SlowestSliderValue;
inline constexpr int SliderMax = game::FastestSliderValue;
inline constexpr int SliderArrowStep = 10;
inline constexpr int SliderTrackStep = 100;
inline constexpr int DesignInterval = 800;

inline constexpr const char* CreditsText = "Ringtafel \u2013 ein Ziel- und Reaktionsspiel";

// Captions and the text boxes' first texts.
namespace text {
inline constexpr const char* Command1 = "Start";
inline constexpr const char* Command2 = "Ende";
inline constexpr const char* Command3 = "Erklärung";
inline constexpr const char* Frame1 = "Leistungsniveau";
inline constexpr const char* Frame2 = "Zeitwertung";
inline constexpr const char* Option1 = "Anfänger";
inline constexpr const char* Option2 = "Fortgeschrittener";
inline constexpr const char* Option3 = "Profi";
inline constexpr const char* Option4 = "Ja";
inline constexpr const char* Option5 = "Nein";
inline constexpr const char* Text1 = "Text1";
inline constexpr const char* Text2 = "Text2";
inline constexpr const char* Text3 = "Text3";
inline constexpr const char* Text4 = "Text4";
inline constexpr const char* Text5 = "0";
inline constexpr const char* Text6 = "Text6";
inline constexpr const char* Label1 = "Maus";
inline constexpr const char* Label2 = "Scheibe";
inline constexpr const char* Label3 = "Punkte";
inline constexpr const char* Label4 = CreditsText;
inline constexpr const char* Label5 = "Schwierigkeitsgrad";
inline constexpr const char* Label6 = "< leichter     --     schwerer >";
} // namespace text

// Names for assistive technology of the controls that show no caption.
namespace accessible {
inline constexpr const char* Picture1 = "Zielfeld";
inline constexpr const char* Picture1Description = "Hier erscheinen die Ringtafeln; ein Klick auf eine Tafel zählt.";
inline constexpr const char* Text5 = "Punkte";
inline constexpr const char* HScroll1 = "Schwierigkeitsgrad";
inline constexpr const char* Text1 = "Maus X";
inline constexpr const char* Text2 = "Maus Y";
inline constexpr const char* Text3 = "Scheibe xx";
inline constexpr const char* Text4 = "Scheibe yy";
inline constexpr const char* Text6 = "Zeitpunkte";
// Said after the pace in words.
inline constexpr const char* HScroll1Directions = ", links leichter, rechts schwerer";
} // namespace accessible

} // namespace game::layout::form1
