#pragma once

#include <QWidget>

class QLabel;
class QPushButton;

namespace ui {

// The explanation window: two short paragraphs on how to play.
class Form3 final : public QWidget {
    Q_OBJECT
public:
    Form3();

    QPushButton* Command1;
    QLabel* Label3;
    QLabel* Label2;
    QLabel* Label1;

    void Command1_Click();
};

} // namespace ui
