// SPDX-License-Identifier: MIT
// The game as the player starts it, for the benchmark's own X server. With
// an interval in milliseconds as its argument, the pace slider is first moved
// to give that interval, as the player would move it.
#include "app/Program.h"
#include "app/Startup.h"
#include "ui/main/Form1.h"

#include <QApplication>
#include <QScrollBar>

int main(int argc, char** argv)
{
    QApplication application(argc, argv);
    app::prepareApplication(application);
    app::RealProgram game;
    game.program().start();
    const QStringList arguments = QCoreApplication::arguments();
    if (arguments.size() >= 2)
        game.program().Form1().HScroll1->setValue(1010 - arguments[1].toInt());
    return QApplication::exec();
}
