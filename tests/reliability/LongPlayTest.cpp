// SPDX-License-Identifier: MIT
// A thousand whole games in a row through the real windows, every target hit
// in its middle: each game must end alike, and the process must not grow.
#include "ReliabilitySupport.h"

#include "support/ProgramFixture.h"
#include "support/TestMain.h"

#include "ui/main/Form1.h"
#include "ui/result/Form2.h"

#include <QElapsedTimer>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include <cmath>
#include <random>

using testing_support::ProgramFixture;

namespace {

constexpr int Games = 1000;
constexpr int SettledAfter = 10;   // games before the memory is first measured
constexpr long AllowedGrowthKiB = 1024;
constexpr int TargetsPerGame = 9;
constexpr int PointsForAMiddleHit = 31;

// AddressSanitizer keeps freed memory in quarantine, so the resident memory
// tells nothing about leaks there; its own leak check covers that instead.
#if defined(__SANITIZE_ADDRESS__)
constexpr bool ResidentMemoryTellsGrowth = false;
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
constexpr bool ResidentMemoryTellsGrowth = false;
#else
constexpr bool ResidentMemoryTellsGrowth = true;
#endif
#else
constexpr bool ResidentMemoryTellsGrowth = true;
#endif

// Nine middle hits of 31 points each, in the score box's text form.
const QString PerfectScore = QStringLiteral(" %1").arg(TargetsPerGame * PointsForAMiddleHit);

} // namespace

class LongPlayTest : public QObject {
    Q_OBJECT
private slots:
    void aThousandPerfectGamesEndAlikeAndLeaveTheMemoryAsItWas();
};

void LongPlayTest::aThousandPerfectGamesEndAlikeAndLeaveTheMemoryAsItWas()
{
    ProgramFixture fixture;
    ui::Form1& f = fixture.form1();
    QVERIFY(QTest::qWaitForWindowExposed(&f));
    reliability::TickHold hold(fixture);
    std::mt19937 rng(20240611u);
    const auto unit = [&rng] { return std::ldexp(float(rng() >> 8), -24); };   // [0, 1)

    QElapsedTimer runTime;
    runTime.start();
    long settledKiB = -1;
    for (int game = 1; game <= Games; ++game) {
        fixture.random.queued.clear();
        for (int i = 0; i < 2 * (TargetsPerGame + 1); ++i)
            fixture.random.queued.push_back(unit());

        // Each target is hit 0.2 s after its tick, the next comes 0.4 s later.
        fixture.playGameHittingCentres([&] {
            QCoreApplication::processEvents();
            fixture.clock.now += 0.4f;
            hold.tick();
            QCoreApplication::processEvents();
            fixture.clock.now += 0.2f;
        });
        QCoreApplication::processEvents();

        const QString failure = QStringLiteral("in game %1").arg(game);
        QVERIFY2(!f.Timer1.isEnabled(), qPrintable(failure));
        QVERIFY2(f.Text5->text() == PerfectScore, qPrintable(failure + QStringLiteral(": ") + f.Text5->text()));
        ui::Form2& result = fixture.program().Form2();
        QVERIFY2(result.isVisible(), qPrintable(failure));
        QVERIFY2(result.Label1->text() == QStringLiteral("Sie haben %1 Punkte erreicht!").arg(PerfectScore),
                 qPrintable(failure + QStringLiteral(": ") + result.Label1->text()));

        QTest::mouseClick(result.Command1, Qt::LeftButton);   // "Zurück"
        QCoreApplication::processEvents();
        QVERIFY2(!result.isVisible(), qPrintable(failure));

        if (game == SettledAfter)
            settledKiB = reliability::residentKiB();
    }
    const long finalKiB = reliability::residentKiB();

    qInfo("long play: %d games in %.1f s; resident memory %ld KiB after game %d, %ld KiB after game %d", Games,
          double(runTime.elapsed()) / 1000.0, settledKiB, SettledAfter, finalKiB, Games);
    QVERIFY(fixture.exitCodes.empty());
    QCOMPARE(hold.strayTicks(), 0);
    if (!ResidentMemoryTellsGrowth)
        return;
    QVERIFY2(settledKiB > 0 && finalKiB > 0, "the resident memory could not be read");
    QVERIFY2(finalKiB - settledKiB <= AllowedGrowthKiB,
             qPrintable(QStringLiteral("grew by %1 KiB").arg(finalKiB - settledKiB)));
}

RINGTAFEL_TEST_MAIN(LongPlayTest)
#include "LongPlayTest.moc"
