// SPDX-License-Identifier: MIT
#pragma once

#include <QObject>
#include <QString>
#include <QStringList>
#include <QTimer>


namespace testing_support {
class ProgramFixture;
}

// Helpers for the long-running and randomised tests of the whole program.
namespace reliability {

// Resident memory of this process in KiB (VmRSS of /proc/self/status), or -1
// when the system does not tell.
long residentKiB();

// Keeps the game's real timer from ticking while the test runs the event
// loop, so that only the ticks the test drives reach the game and a run is
// repeatable. A tick that arrives any other way is counted as stray.
class TickHold final : public QObject {
    Q_OBJECT
public:
    explicit TickHold(testing_support::ProgramFixture& fixture);
    ~TickHold() override;

    // One tick as the timer would deliver it.
    void tick();
    int strayTicks() const { return strayTicks_; }
    int heldBack() const { return heldBack_; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    testing_support::ProgramFixture& fixture_;
    bool driving_ = false;
    int strayTicks_ = 0;
    int heldBack_ = 0;
};

// A message box opened by the program would wait for a person forever. This
// closes every modal window it finds while an event loop runs and keeps
// what it said, so that a test fails with the message instead of hanging.
class ModalWatch final : public QObject {
    Q_OBJECT
public:
    ModalWatch();
    const QStringList& seen() const { return seen_; }

private:
    void look();

    QTimer timer_;
    QStringList seen_;
};

} // namespace reliability
