// SPDX-License-Identifier: MIT
#pragma once

#include "ui/Windows.h"

#include <QWidget>

#include <string>

class QLabel;
class QPushButton;

namespace ui {

// The result window: states the score of the game that has just ended.
class Form2 final : public QWidget {
    Q_OBJECT
public:
    explicit Form2(Windows& windows);   // the program's, outlives this window

    QPushButton* Command1 = nullptr;
    QLabel* Label2 = nullptr;
    QLabel* Label1 = nullptr;

    void Form_Load();
    void Command1_Click();
    // Kept for the save command; it stores nothing and returns at once.
    void speichern(std::string& Path);

private:
    Windows& windows_;
};

} // namespace ui
