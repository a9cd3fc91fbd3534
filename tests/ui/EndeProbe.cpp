// SPDX-License-Identifier: MIT
// Starts the game as the executable does, presses "Ende", and queues a press
// of "Start" right behind it. The process must end with exit code 0 and the
// queued press must not be handled.
#include "app/Program.h"
#include "app/Startup.h"
#include "ui/main/Form1.h"
#include "support/ProgramFixture.h"

#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>

#include <cstdio>

int main(int argc, char** argv)
{
    QApplication application(argc, argv);
    app::prepareApplication(application);
    app::RealProgram game;
    game.program().start();

    ui::Form1& form = game.program().Form1();
    QTimer::singleShot(50, &form, [&form] {
        testing_support::postClick(form.Command2, QRectF(form.Command2->rect()).center());
        testing_support::postClick(form.Command1, QRectF(form.Command1->rect()).center());
    });
    // A program that did not end within ten seconds has failed.
    QTimer::singleShot(10000, [] { QCoreApplication::exit(3); });
    const int code = QApplication::exec();
    if (form.Text5->text() != QStringLiteral("0")) {
        std::fprintf(stderr, "a click queued behind \"Ende\" was handled\n");
        return 4;
    }
    if (form.isVisible()) {
        std::fprintf(stderr, "the main window is still shown\n");
        return 5;
    }
    std::printf("exit code %d\n", code);
    return code;
}
