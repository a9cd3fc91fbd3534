// SPDX-License-Identifier: MIT
#pragma once

#include <string>

// What the game needs of the main window besides its drawing area. The
// windows implement these; tests put doubles in their place.
namespace game {

class GameTimer {
public:
    virtual ~GameTimer() = default;
    virtual void setEnabled(bool enabled) = 0;
};

// The text boxes of the main window that the game writes, and the one choice
// it reads.
enum class Display { Text1, Text2, Text3, Text4, Text5, Text6 };

class Displays {
public:
    virtual ~Displays() = default;
    virtual void setText(Display box, const std::string& text) = 0;
    virtual std::string scoreText() const = 0;       // Text5, as the player may have edited it
    virtual bool timeScoringSelected() const = 0;    // Option4 ("Ja")
};

// The result window, reached through its global reference: the first use
// creates it and runs its load handler.
class ResultWindow {
public:
    virtual ~ResultWindow() = default;
    virtual void setSentence(const std::string& sentence) = 0;
    virtual void redrawNow() = 0;
    virtual void show() = 0;
};

} // namespace game
