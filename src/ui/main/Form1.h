// SPDX-License-Identifier: MIT
#pragma once

#include "PaceScrollBar.h"
#include "TargetFieldView.h"
#include "TickTimer.h"

#include "runtime/Clock.h"
#include "runtime/Random.h"
#include "game/main/MainWindowBehaviour.h"
#include "ui/Windows.h"

#include <QWidget>

#include <memory>

class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace ui {

// The main window: the target field, the commands, the score box and the
// pace slider. It owns the game and its state for the life of the process.
class Form1 final : public QWidget {
    Q_OBJECT
public:
    // The clock, the generator and the other windows are the program's and
    // outlive this window.
    Form1(Windows& windows, rt::Clock& clock, rt::RandomSource& random);
    ~Form1() override;

    // Controls, in creation order. Owned by the window.
    PaceScrollBar* HScroll1;
    QPushButton* Command3;
    QLineEdit* Text6;
    QGroupBox* Frame2;
    QRadioButton* Option5;
    QRadioButton* Option4;
    QGroupBox* Frame1;
    QRadioButton* Option3;
    QRadioButton* Option2;
    QRadioButton* Option1;
    QLineEdit* Text5;
    QLineEdit* Text4;
    QLineEdit* Text3;
    QLineEdit* Text2;
    QLineEdit* Text1;
    QPushButton* Command2;
    QPushButton* Command1;
    TickTimer Timer1;
    TargetFieldView* Picture1;
    QLabel* Label6;
    QLabel* Label5;
    QLabel* Label4;
    QLabel* Label3;
    QLabel* Label2;
    QLabel* Label1;

    game::GameState& state() { return behaviour_->state(); }
    std::int16_t Endstand() const { return behaviour_->state().Endstand; }

    // Handlers: what each does is the main window's behaviour, shared with
    // the page.
    void Form_Load() { behaviour_->Form_Load(); }
    void Form_Click() { behaviour_->Form_Click(); }
    void Command1_Click() { behaviour_->Command1_Click(); }
    void Command2_Click() { behaviour_->Command2_Click(); }
    void Command3_Click() { behaviour_->Command3_Click(); }
    void Timer1_Timer() { behaviour_->Timer1_Timer(); }
    void Picture1_MouseDown(int Button, int Shift, float X, float Y) { behaviour_->Picture1_MouseDown(Button, Shift, X, Y); }
    void HScroll1_Change() { behaviour_->HScroll1_Change(); }
    void Option1_Click() { behaviour_->Option1_Click(); }
    void Option2_Click() { behaviour_->Option2_Click(); }
    void Option3_Click() { behaviour_->Option3_Click(); }
    void Option4_Click() { behaviour_->Option4_Click(); }
    void Option5_Click() { behaviour_->Option5_Click(); }

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    class Ports;

    void createControls();
    void nameControlsForAssistiveTechnology();
    void arrangeTabOrder();
    void connectHandlers();

    Windows& windows_;
    std::unique_ptr<Ports> ports_;
    std::unique_ptr<game::MainWindowBehaviour> behaviour_;   // made once the controls exist
    bool backgroundPressed_ = false;
};

} // namespace ui
