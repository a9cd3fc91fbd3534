// SPDX-License-Identifier: MIT
// Input that waits behind a tick, and secondary windows closed from their
// title bar.
#include "ReliabilitySupport.h"

#include "support/ProgramFixture.h"
#include "support/TestMain.h"

#include "ui/explain/Form3.h"
#include "ui/main/Form1.h"
#include "ui/result/Form2.h"

#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>
#include <QTest>

#include <cmath>
#include <memory>
#include <vector>

using testing_support::ProgramFixture;

namespace {

// The largest number the generator can hand out puts a target in the far
// corner; zero puts it in the top left corner, its middle at (30, 30).
const float FarCorner = std::nextafter(1.0f, 0.0f);
constexpr int TopLeftMiddle = 30;

struct Press {
    float x, y;
    double punkteAfter;
};

} // namespace

class EventOrderTest : public QObject {
    Q_OBJECT
private slots:
    void init()
    {
        fixture = std::make_unique<ProgramFixture>();
        QVERIFY(QTest::qWaitForWindowExposed(&fixture->form1()));
        hold = std::make_unique<reliability::TickHold>(*fixture);
    }
    void cleanup()
    {
        QCOMPARE(hold->strayTicks(), 0);
        hold.reset();
        fixture.reset();
    }

    void clicksQueuedDuringATickAreHandledAfterItInOrderAgainstTheNewTarget();
    void aClickQueuedBehindTheTenthTickFindsTheFieldEmpty();
    void closingTheResultWindowOnlyHidesItAndTheNextGameShowsItWithTheNewResult();
    void closingTheExplanationOnlyHidesItAndErklaerungBringsItBackUnchanged();
    void closingTheSecondaryWindowsDuringAGameLetsTheGameGoOn();

private:
    // A press and release on field pixel (x, y), queued as the window system
    // would queue them.
    void postClick(int x, int y);
    // Every press on the field from now on, with the score right after it.
    std::vector<Press>& recordPresses();

    std::unique_ptr<ProgramFixture> fixture;
    std::unique_ptr<reliability::TickHold> hold;
    std::vector<Press> presses;
};

void EventOrderTest::postClick(int x, int y)
{
    testing_support::postClick(fixture->form1().Picture1, fixture->fieldPoint(x, y));
}

std::vector<Press>& EventOrderTest::recordPresses()
{
    presses.clear();
    ui::Form1& f = fixture->form1();
    // Connected after the window's own handler, so it sees the score the click left.
    connect(f.Picture1, &ui::TargetFieldView::mouseDown, this,
            [this, &f](int, int, float x, float y) { presses.push_back({x, y, f.state().Punkte.toDouble()}); });
    return presses;
}

void EventOrderTest::clicksQueuedDuringATickAreHandledAfterItInOrderAgainstTheNewTarget()
{
    ui::Form1& f = fixture->form1();
    fixture->random.queued = {FarCorner, FarCorner, 0.0f, 0.0f};
    QTest::mouseClick(f.Command1, Qt::LeftButton);
    fixture->clock.now = 500.0f;
    hold->tick();
    const int oldX = fixture->targetCentre().x();
    const int oldY = fixture->targetCentre().y();
    QVERIFY(oldX > 3 * TopLeftMiddle && oldY > 3 * TopLeftMiddle);   // far from the next target
    QCoreApplication::processEvents();
    const QString shownBefore = f.Text1->text();
    const std::vector<Press>& seen = recordPresses();

    // The player clicks the old target's middle, the place the next target
    // will have its middle, and a place that stays white.
    const int whiteX = oldX;
    const int whiteY = TopLeftMiddle;
    postClick(oldX, oldY);
    postClick(TopLeftMiddle, TopLeftMiddle);
    postClick(whiteX, whiteY);
    fixture->clock.now = 501.0f;
    hold->tick();

    // The tick let none of them through.
    QVERIFY(seen.empty());
    QCOMPARE(f.Text1->text(), shownBefore);
    QCOMPARE(f.state().Punkte.toDouble(), 0.0);
    QCOMPARE(f.state().xx.toDouble(), 0.0);

    fixture->clock.now = 501.25f;
    QCoreApplication::processEvents();

    QCOMPARE(seen.size(), std::size_t(3));
    QCOMPARE(QPointF(seen[0].x, seen[0].y), QPointF(oldX, oldY));
    QCOMPARE(QPointF(seen[1].x, seen[1].y), QPointF(TopLeftMiddle, TopLeftMiddle));
    QCOMPARE(QPointF(seen[2].x, seen[2].y), QPointF(whiteX, whiteY));
    QCOMPARE(seen[0].punkteAfter, 0.0);    // the old target was wiped before the click was looked at
    QCOMPARE(seen[1].punkteAfter, 31.0);   // the middle of the new one
    QCOMPARE(seen[2].punkteAfter, 31.0);
    QCOMPARE(f.Text5->text(), QString::fromStdString(f.state().Punkte.text()));
    QCOMPARE(f.Text1->text(), QStringLiteral("X= %1").arg(whiteX));
    QCOMPARE(f.Text3->text(), QStringLiteral("xx= 0"));
    QCOMPARE(f.state().Reaktionszeit, 0.25f);   // measured from the new target
}

void EventOrderTest::aClickQueuedBehindTheTenthTickFindsTheFieldEmpty()
{
    ui::Form1& f = fixture->form1();
    QTest::mouseClick(f.Command1, Qt::LeftButton);
    for (int i = 0; i < 9; ++i)
        hold->tick();
    QVERIFY(f.Timer1.isEnabled());
    const int x = fixture->targetCentre().x();
    const int y = fixture->targetCentre().y();
    QVERIFY(f.Picture1->image().pixel(x, y) != qRgb(255, 255, 255));
    const std::vector<Press>& seen = recordPresses();

    postClick(x, y);
    hold->tick();
    QVERIFY(!f.Timer1.isEnabled());
    const QString sentence = fixture->program().Form2().Label1->text();
    QCoreApplication::processEvents();

    QCOMPARE(seen.size(), std::size_t(1));
    QCOMPARE(seen[0].punkteAfter, 0.0);
    QCOMPARE(f.Text5->text(), QStringLiteral(" 0"));
    QCOMPARE(f.Endstand(), std::int16_t(0));
    QCOMPARE(fixture->program().Form2().Label1->text(), sentence);
    QVERIFY(testing_support::allWhite(f.Picture1->canvas()));
}

void EventOrderTest::closingTheResultWindowOnlyHidesItAndTheNextGameShowsItWithTheNewResult()
{
    ui::Form1& f = fixture->form1();
    fixture->playGameHittingCentres([this] { hold->tick(); });
    QCoreApplication::processEvents();
    ui::Form2& result = fixture->program().Form2();
    QVERIFY(result.isVisible());
    const QString firstSentence = result.Label1->text();
    QVERIFY(firstSentence.contains(f.Text5->text()));

    QVERIFY(result.close());
    QCoreApplication::processEvents();
    QVERIFY(!result.isVisible());
    QVERIFY(fixture->program().form2Exists());
    QCOMPARE(&fixture->program().Form2(), &result);
    QCOMPARE(result.Label1->text(), firstSentence);
    QVERIFY(f.isVisible());
    QVERIFY(fixture->exitCodes.empty());

    // A game without a hit brings the same window back with its own result.
    QTest::mouseClick(f.Command1, Qt::LeftButton);
    for (int i = 0; i < 10; ++i)
        hold->tick();
    QCOMPARE(&fixture->program().Form2(), &result);
    QVERIFY(result.isVisible());
    QCOMPARE(result.Label1->text(), QStringLiteral("Sie haben  0 Punkte erreicht!"));
    QVERIFY(result.Label1->text() != firstSentence);
    QVERIFY(fixture->exitCodes.empty());
}

void EventOrderTest::closingTheExplanationOnlyHidesItAndErklaerungBringsItBackUnchanged()
{
    ui::Form1& f = fixture->form1();
    QTest::mouseClick(f.Command3, Qt::LeftButton);
    ui::Form3& explanation = fixture->program().Form3();
    QVERIFY(explanation.isVisible());
    const QStringList texts{explanation.Label1->text(), explanation.Label2->text(), explanation.Label3->text(),
                            explanation.Command1->text()};
    QVERIFY(!texts.contains(QString()));

    for (int round = 0; round < 3; ++round) {
        QVERIFY(explanation.close());
        QCoreApplication::processEvents();
        QVERIFY(!explanation.isVisible());
        QVERIFY(fixture->program().form3Exists());
        QVERIFY(f.isVisible());
        QVERIFY(fixture->exitCodes.empty());

        QTest::mouseClick(f.Command3, Qt::LeftButton);
        QCOMPARE(&fixture->program().Form3(), &explanation);
        QVERIFY(explanation.isVisible());
        const QStringList again{explanation.Label1->text(), explanation.Label2->text(), explanation.Label3->text(),
                                explanation.Command1->text()};
        QCOMPARE(again, texts);
    }
}

void EventOrderTest::closingTheSecondaryWindowsDuringAGameLetsTheGameGoOn()
{
    ui::Form1& f = fixture->form1();
    fixture->playGameHittingCentres([this] { hold->tick(); });
    QCoreApplication::processEvents();   // the result window now exists and is shown
    QTest::mouseClick(f.Command3, Qt::LeftButton);
    QTest::mouseClick(f.Command1, Qt::LeftButton);
    hold->tick();
    hold->tick();
    QCOMPARE(f.state().Anzahl, std::int16_t(3));

    QVERIFY(fixture->program().Form2().close());
    QVERIFY(fixture->program().Form3().close());
    QCoreApplication::processEvents();
    QVERIFY(f.Timer1.isEnabled());
    QCOMPARE(f.state().Anzahl, std::int16_t(3));

    const int x = fixture->targetCentre().x();
    const int y = fixture->targetCentre().y();
    fixture->clickField(x, y);
    QCOMPARE(f.state().Punkte.toDouble(), 31.0);
    for (int i = 0; i < 8; ++i)
        hold->tick();
    QVERIFY(!f.Timer1.isEnabled());
    QVERIFY(fixture->program().Form2().isVisible());
    QVERIFY(!fixture->program().Form3().isVisible());
    QCOMPARE(fixture->program().Form2().Label1->text(), QStringLiteral("Sie haben  31 Punkte erreicht!"));
    QVERIFY(fixture->exitCodes.empty());
}

RINGTAFEL_TEST_MAIN(EventOrderTest)
#include "EventOrderTest.moc"
