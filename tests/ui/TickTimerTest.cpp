// SPDX-License-Identifier: MIT
#include "support/TestMain.h"

#include "ui/main/TickTimer.h"

#include <QElapsedTimer>
#include <QTest>
#include <QTimer>

#include <thread>

// The toolkit's timer under Timer1's rules, in real time; the rules
// themselves are tested below the front ends (IntervalTimerTest).
class TickTimerTest : public QObject {
    Q_OBJECT
private slots:
    void aLongTickIsNeitherReenteredNorMadeUpFor();
    void enablingARunningTimerKeepsIt();
    void aNewIntervalIsReadBackAtOnceAndUsedFromTheNextTick();
};

void TickTimerTest::aLongTickIsNeitherReenteredNorMadeUpFor()
{
    ui::TickTimer timer(1, nullptr);
    int depth = 0;
    int deepest = 0;
    int ticks = 0;
    constexpr auto TickLength = std::chrono::milliseconds(40);
    QObject::connect(&timer, &ui::TickTimer::tick, [&] {
        ++depth;
        deepest = std::max(deepest, depth);
        ++ticks;
        std::this_thread::sleep_for(TickLength);   // a tick far longer than the interval
        QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
        --depth;
    });
    QElapsedTimer clock;
    clock.start();
    timer.setEnabled(true);
    QTest::qWait(300);
    timer.setEnabled(false);
    const qint64 elapsed = clock.elapsed();
    QCOMPARE(deepest, 1);
    QVERIFY(ticks >= 1);
    // Ticks missed while one ran are not delivered later one by one.
    QVERIFY2(ticks <= elapsed / TickLength.count() + 1, qPrintable(QString::number(ticks)));
}

void TickTimerTest::enablingARunningTimerKeepsIt()
{
    ui::TickTimer timer(100, nullptr);
    QVERIFY(!timer.isEnabled());
    timer.setEnabled(true);
    // Enabled again five times per interval: a timer that started its wait
    // anew each time would never tick.
    QTimer reenabler;
    QObject::connect(&reenabler, &QTimer::timeout, [&timer] { timer.setEnabled(true); });
    reenabler.start(20);
    QVERIFY(timer.isEnabled());
    int ticks = 0;
    QObject::connect(&timer, &ui::TickTimer::tick, [&] { ++ticks; });
    QTRY_VERIFY_WITH_TIMEOUT(ticks >= 2, 5000);
    reenabler.stop();
    timer.setEnabled(false);
    const int stopped = ticks;
    QTest::qWait(120);
    QCOMPARE(ticks, stopped);
}

void TickTimerTest::aNewIntervalIsReadBackAtOnceAndUsedFromTheNextTick()
{
    ui::TickTimer timer(60000, nullptr);   // no tick of its own within the test
    int ticks = 0;
    QObject::connect(&timer, &ui::TickTimer::tick, [&] { ++ticks; });
    timer.setEnabled(true);
    timer.setInterval(5);
    QCOMPARE(timer.interval(), 5);
    QTRY_VERIFY_WITH_TIMEOUT(ticks >= 5, 5000);
    timer.setInterval(0);   // holds the ticks back while enabled
    QVERIFY(timer.isEnabled());
    QTest::qWait(20);
    const int held = ticks;
    QTest::qWait(60);
    QCOMPARE(ticks, held);
    timer.setInterval(5);
    QTRY_VERIFY_WITH_TIMEOUT(ticks > held, 5000);
}

RINGTAFEL_TEST_MAIN(TickTimerTest)
#include "TickTimerTest.moc"
