// SPDX-License-Identifier: MIT
#include "MainWindowBehaviour.h"

#include "runtime/Numbers.h"
#include "game/Pace.h"

namespace game {

MainWindowBehaviour::MainWindowBehaviour(MainWindowParts parts)
    : parts_(parts),
      game_(GamePorts{parts.field, parts.timer, parts.window, parts.window, parts.clock, parts.random})
{
}

void MainWindowBehaviour::Form_Load()
{
    parts_.timer.setInterval(LoadInterval);
    parts_.window.setPaceValue(rt::CInt(parts_.timer.interval()));   // runs HScroll1_Change: 410 ms
}

// A click on the window's background.
void MainWindowBehaviour::Form_Click()
{
    for (const SecondaryWindow window : {SecondaryWindow::Form2, SecondaryWindow::Form3}) {
        if (parts_.window.isShown(window))
            parts_.window.hide(window);
    }
}

void MainWindowBehaviour::Command1_Click()
{
    game_.start();
    if (parts_.trace.on())
        parts_.trace.write(trace::startLine());
}

void MainWindowBehaviour::Command2_Click() { parts_.window.end(); }

void MainWindowBehaviour::Command3_Click() { parts_.window.showInFront(SecondaryWindow::Form3); }

void MainWindowBehaviour::Timer1_Timer()
{
    game_.tick();
    if (parts_.trace.on())
        parts_.trace.write(trace::tickLine(game_.state()));
}

void MainWindowBehaviour::Picture1_MouseDown(int /*Button*/, int /*Shift*/, float X, float Y)
{
    if (parts_.trace.on())
        parts_.trace.write(trace::pressLine(X, Y));
    game_.shot(X, Y);
}

void MainWindowBehaviour::HScroll1_Change() { parts_.timer.setInterval(paceMilliseconds(parts_.window.paceValue())); }

void MainWindowBehaviour::Option1_Click() { parts_.timer.setInterval(AnfaengerInterval); }
void MainWindowBehaviour::Option2_Click() { parts_.timer.setInterval(FortgeschrittenerInterval); }
void MainWindowBehaviour::Option3_Click() { parts_.timer.setInterval(ProfiInterval); }
void MainWindowBehaviour::Option4_Click() { parts_.window.setTimePointsShown(true); }
void MainWindowBehaviour::Option5_Click() { parts_.window.setTimePointsShown(false); }

} // namespace game
