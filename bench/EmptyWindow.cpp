// SPDX-License-Identifier: MIT
// A reference for the game's start-up: one empty window, nothing else.
// Given a width and a height it takes that size, so that both programs fill
// and keep a frame of the same number of pixels. With "label" after them it
// also shows one line of text, which is what loads the fonts.
#include "FirstFrameProbe.h"
#include "Stats.h"

#include <QApplication>
#include <QLabel>
#include <QWidget>

int main(int argc, char** argv)
{
    const std::int64_t entered = bench::monotonicNs();
    QApplication application(argc, argv);
    QWidget window;
    const QStringList arguments = QCoreApplication::arguments();
    if (arguments.size() >= 3)
        window.resize(arguments[1].toInt(), arguments[2].toInt());
    if (arguments.size() >= 4 && arguments[3] == QLatin1String("label"))
        new QLabel(QStringLiteral("Ringtafel"), &window);   // owned by the window
    bench::FirstFrameProbe probe(window, entered);
    window.show();
    return QApplication::exec();
}
