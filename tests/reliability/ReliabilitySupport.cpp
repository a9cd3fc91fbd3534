// SPDX-License-Identifier: MIT
#include "ReliabilitySupport.h"

#include "support/ProgramFixture.h"

#include <QApplication>
#include <QEvent>
#include <QMessageBox>
#include <QTimerEvent>

#include <fstream>
#include <sstream>
#include <string>


namespace reliability {

long residentKiB()
{
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line)) {
        if (line.rfind("VmRSS:", 0) == 0) {
            std::istringstream fields(line.substr(6));
            long kib = -1;
            fields >> kib;
            return fields ? kib : -1;
        }
    }
    return -1;
}

// --- TickHold ---------------------------------------------------------------

TickHold::TickHold(testing_support::ProgramFixture& fixture) : fixture_(fixture)
{
    connect(&fixture_.form1().Timer1, &ui::TickTimer::tick, this, [this] {
        if (!driving_)
            ++strayTicks_;
    });
    qApp->installEventFilter(this);
}

TickHold::~TickHold() { qApp->removeEventFilter(this); }

void TickHold::tick()
{
    driving_ = true;
    fixture_.tick();
    driving_ = false;
}

bool TickHold::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::Timer) {
        // The pace timer is the one precise timer without a parent; the
        // toolkit's own timers (cursor blinking, auto-repeat) are left alone.
        const auto* timer = qobject_cast<const QTimer*>(watched);
        const bool paceTimer = timer && !timer->parent() && timer->timerType() == Qt::PreciseTimer;
        if (paceTimer || watched == &fixture_.form1().Timer1) {
            ++heldBack_;
            return true;
        }
    }
    return QObject::eventFilter(watched, event);
}

// --- ModalWatch -------------------------------------------------------------

ModalWatch::ModalWatch()
{
    timer_.setInterval(100);
    connect(&timer_, &QTimer::timeout, this, &ModalWatch::look);
    timer_.start();
}

void ModalWatch::look()
{
    QWidget* modal = QApplication::activeModalWidget();
    if (!modal)
        return;
    QString text = modal->windowTitle();
    if (const auto* box = qobject_cast<const QMessageBox*>(modal))
        text += QStringLiteral(": ") + box->text();
    seen_.append(text);
    modal->close();
}

} // namespace reliability
