// SPDX-License-Identifier: MIT
#pragma once

#include "ui/Windows.h"

#include <QWidget>

class QLabel;
class QPushButton;

namespace ui {

// The explanation window: two short paragraphs on how to play.
class Form3 final : public QWidget {
    Q_OBJECT
public:
    explicit Form3(Windows& windows);   // the program's, outlives this window

    QPushButton* Command1;
    QLabel* Label3;
    QLabel* Label2;
    QLabel* Label1;

    void Command1_Click();

private:
    Windows& windows_;
};

} // namespace ui
