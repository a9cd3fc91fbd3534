// SPDX-License-Identifier: MIT
#include "support/ProgramFixture.h"
#include "support/ProgramTestCase.h"
#include "support/TestMain.h"

#include "ui/main/Form1.h"
#include "ui/result/Form2.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTest>

using testing_support::ProgramFixture;
using testing_support::allWhite;

namespace {

const QColor LightYellow(255, 255, 0);
const QColor Black(0, 0, 0);

} // namespace

class PlayTest : public testing_support::ProgramTestCase {
    Q_OBJECT
private slots:
    void init()
    {
        ProgramTestCase::init();
        // Eighteen places spread over the field, xx then yy for each target.
        for (int i = 0; i < 40; ++i)
            fixture->random.queued.push_back(float((i * 37) % 100) / 100.0f);
    }

    void nineCentreHitsScore279AndTheResultWindowSaysSo();
    void theScreenShowsTheFinishedTarget();
    void aClickOnWhiteChangesOnlyTheDisplaysAndTheReactionTime();
    void everyButtonAndShiftStateScores_data();
    void everyButtonAndShiftStateScores();
    void aRingPixelJustOutsideRadius30ScoresNothing();
    void bothPressesOfADoubleClickScore();
    void aClickOnTheBorderIsNotAShot();
    void theTenthTickShowsNoTargetAndEndsTheGame();
    void startAfterAGameLeavesTheResultShownAndGoesOn();
    void zurueckHidesTheResultAndTheNextGameShowsItAgain();
    void theResultWindowLooksAsDesigned();
    void theLoadHandlerReadsTheLeadingNumberOfTheScoreBox();
    void lettersInTheScoreBoxEndTheGameWithTheRunningScore();
    void theRealTimerPlaysAWholeGame();
};

void PlayTest::nineCentreHitsScore279AndTheResultWindowSaysSo()
{
    ui::Form1& f = fixture->form1();
    const std::vector<QPoint> places = fixture->playGameHittingCentres();
    QCOMPARE(places.size(), std::size_t(9));
    QCOMPARE(f.Text5->text(), QStringLiteral(" 279"));
    QCOMPARE(f.Endstand(), std::int16_t(279));
    ui::Form2& result = fixture->program().Form2();
    QVERIFY(result.isVisible());
    QCOMPARE(result.Label1->text(), QStringLiteral("Sie haben  279 Punkte erreicht!"));
    QVERIFY(!f.Timer1.isEnabled());
    QVERIFY(allWhite(f.Picture1->canvas()));
}

void PlayTest::theScreenShowsTheFinishedTarget()
{
    ui::Form1& f = fixture->form1();
    const QPoint centre = fixture->startWithTargetAt(0.5f, 0.5f);
    const int cx = centre.x(), cy = centre.y();
    const QImage screen = f.Picture1->grab().toImage();
    const QPoint origin = f.Picture1->contentsRect().topLeft();
    QCOMPARE(screen.pixelColor(origin + QPoint(cx, cy)), LightYellow);
    QCOMPARE(screen.pixelColor(origin + QPoint(cx + 31, cy)), Black);
    QCOMPARE(screen.pixelColor(origin + QPoint(cx - 31, cy)), Black);
    QCOMPARE(screen.pixelColor(origin + QPoint(cx, cy + 32)), QColor(Qt::white));
}

void PlayTest::aClickOnWhiteChangesOnlyTheDisplaysAndTheReactionTime()
{
    ui::Form1& f = fixture->form1();
    fixture->random.queued = {0.0f, 0.0f};
    QTest::mouseClick(f.Command1, Qt::LeftButton);
    fixture->clock.now = 2000.0f;
    fixture->tick();
    fixture->clickField(30, 30);
    QCOMPARE(f.Text5->text(), QStringLiteral(" 31"));
    const double punkte = f.state().Punkte.toDouble();
    fixture->clock.now = 2000.5f;
    fixture->clickField(300, 380);
    QCOMPARE(f.Text5->text(), QStringLiteral(" 31"));
    QCOMPARE(f.state().Punkte.toDouble(), punkte);
    QCOMPARE(f.Text1->text(), QStringLiteral("X= 300"));
    QCOMPARE(f.Text2->text(), QStringLiteral("Y= 380"));
    QCOMPARE(f.Text3->text(), QStringLiteral("xx= 0"));
    QCOMPARE(f.Text4->text(), QStringLiteral("yy= 0"));
    QCOMPARE(f.state().Reaktionszeit, 0.5f);
    QCOMPARE(f.Text6->text(), QStringLiteral(" 5"));
    QVERIFY(!f.Text6->isVisible());
}

void PlayTest::everyButtonAndShiftStateScores_data()
{
    QTest::addColumn<Qt::MouseButton>("button");
    QTest::addColumn<Qt::KeyboardModifiers>("modifiers");
    QTest::addColumn<int>("shift");   // as the handler gets it
    QTest::newRow("left") << Qt::LeftButton << Qt::KeyboardModifiers() << 0;
    QTest::newRow("right") << Qt::RightButton << Qt::KeyboardModifiers() << 0;
    QTest::newRow("middle") << Qt::MiddleButton << Qt::KeyboardModifiers() << 0;
    QTest::newRow("left with Shift") << Qt::LeftButton << Qt::KeyboardModifiers(Qt::ShiftModifier) << 1;
    QTest::newRow("left with Ctrl+Alt")
        << Qt::LeftButton << (Qt::ControlModifier | Qt::AltModifier) << 6;
    QTest::newRow("Meta and keypad are no shift state")
        << Qt::LeftButton << (Qt::ShiftModifier | Qt::MetaModifier | Qt::KeypadModifier) << 1;
}

void PlayTest::everyButtonAndShiftStateScores()
{
    QFETCH(Qt::MouseButton, button);
    QFETCH(Qt::KeyboardModifiers, modifiers);
    QFETCH(int, shift);
    ui::Form1& f = fixture->form1();
    QTest::mouseClick(f.Command1, Qt::LeftButton);
    fixture->tick();
    const int cx = fixture->targetCentre().x(), cy = fixture->targetCentre().y();
    QSignalSpy presses(f.Picture1, &ui::TargetFieldView::mouseDown);
    fixture->clickField(cx + 3, cy + 4, button, modifiers);   // distance 5
    QCOMPARE(f.Text5->text(), QStringLiteral(" 26"));
    QCOMPARE(presses.size(), 1);
    QCOMPARE(presses.at(0).at(1).toInt(), shift);
}

void PlayTest::aRingPixelJustOutsideRadius30ScoresNothing()
{
    ui::Form1& f = fixture->form1();
    const QPoint centre = fixture->startWithTargetAt(0.5f, 0.5f);
    const int cx = centre.x(), cy = centre.y();
    QCOMPARE(f.Picture1->image().pixelColor(cx, cy - 31), Black);
    fixture->clickField(cx, cy - 31);
    QCOMPARE(f.Text5->text(), QStringLiteral(" 0"));
    QCOMPARE(f.Text2->text(), QStringLiteral("Y= %1").arg(cy - 31));
}

void PlayTest::bothPressesOfADoubleClickScore()
{
    ui::Form1& f = fixture->form1();
    fixture->startWithTargetAt(0.0f, 0.0f);
    QTest::mouseDClick(f.windowHandle(), Qt::LeftButton, Qt::NoModifier,
                       f.Picture1->mapTo(&f, fixture->fieldPoint(30, 30)));
    QCOMPARE(f.Text5->text(), QStringLiteral(" 62"));
}

void PlayTest::aClickOnTheBorderIsNotAShot()
{
    ui::Form1& f = fixture->form1();
    // (0, 0) would mean the middle to QTest; (1, 1) is on the border too.
    QTest::mouseClick(f.Picture1, Qt::LeftButton, Qt::NoModifier, QPoint(1, 1));
    QCOMPARE(f.Text1->text(), QStringLiteral("Text1"));
    QTest::mouseClick(f.Picture1, Qt::LeftButton, Qt::NoModifier, QPoint(2, 2));
    QCOMPARE(f.Text1->text(), QStringLiteral("X= 0"));
}

void PlayTest::theTenthTickShowsNoTargetAndEndsTheGame()
{
    ui::Form1& f = fixture->form1();
    QTest::mouseClick(f.Command1, Qt::LeftButton);
    for (int i = 0; i < 9; ++i)
        fixture->tick();
    QVERIFY(!allWhite(f.Picture1->canvas()));
    QVERIFY(!fixture->program().form2Exists());
    fixture->random.queued = {0.25f, 0.75f};
    fixture->clock.now = 3000.0f;
    fixture->tick();
    QCOMPARE(f.state().Anzahl, std::int16_t(11));
    QCOMPARE(f.state().xx.toDouble(), 74.0);    // Int(297 * 0.25)
    QCOMPARE(f.state().yy.toDouble(), 246.0);   // Int(329 * 0.75)
    QCOMPARE(f.state().Startzeit.toSingle(), 3000.0f);
    QVERIFY(allWhite(f.Picture1->canvas()));
    QVERIFY(!f.Timer1.isEnabled());
    QVERIFY(fixture->program().Form2().isVisible());
    QCOMPARE(fixture->program().Form2().Label1->text(), QStringLiteral("Sie haben  0 Punkte erreicht!"));
}

void PlayTest::startAfterAGameLeavesTheResultShownAndGoesOn()
{
    ui::Form1& f = fixture->form1();
    fixture->playGameHittingCentres();
    const double lastX = f.state().xx.toDouble();
    const double lastY = f.state().yy.toDouble();
    QTest::mouseClick(f.Command1, Qt::LeftButton);
    QVERIFY(fixture->program().Form2().isVisible());
    QCOMPARE(f.state().xx.toDouble(), lastX);
    QCOMPARE(f.state().yy.toDouble(), lastY);
    QCOMPARE(f.Text5->text(), QStringLiteral(" 0"));
    fixture->random.queued = {0.0f, 0.0f};
    fixture->tick();
    QCOMPARE(f.state().Anzahl, std::int16_t(2));
    QCOMPARE(f.Picture1->image().pixelColor(30, 30), LightYellow);
    QVERIFY(fixture->program().Form2().isVisible());
}

void PlayTest::zurueckHidesTheResultAndTheNextGameShowsItAgain()
{
    fixture->playGameHittingCentres();
    ui::Form2& result = fixture->program().Form2();
    QTest::mouseClick(result.Command1, Qt::LeftButton);
    QVERIFY(!result.isVisible());
    ui::Form1& f = fixture->form1();
    QTest::mouseClick(f.Command1, Qt::LeftButton);
    for (int i = 0; i < 10; ++i)
        fixture->tick();
    QVERIFY(result.isVisible());
    QCOMPARE(result.Label1->text(), QStringLiteral("Sie haben  0 Punkte erreicht!"));
}

void PlayTest::theResultWindowLooksAsDesigned()
{
    ui::Form2& result = fixture->program().Form2();
    QCOMPARE(result.windowTitle(), QStringLiteral("Ringtafel-Auswertung"));
    QCOMPARE(result.palette().color(QPalette::Window), QColor(255, 224, 192));
    QCOMPARE(result.size(), QSize(533, 340));
    QCOMPARE(result.Command1->text(), QStringLiteral("Zurück"));
    QCOMPARE(result.Command1->geometry(), QRect(208, 288, 105, 41));
    QCOMPARE(result.Label2->text(), QStringLiteral("(Maximum: 310 Punkte)"));
    QCOMPARE(result.Label2->geometry(), QRect(88, 200, 353, 33));
    QVERIFY(result.Label2->font().bold());
    QCOMPARE(result.Label2->font().pointSizeF(), 18.0);
    QCOMPARE(result.Label1->geometry(), QRect(56, 32, 417, 153));
    QCOMPARE(result.Label1->font().pointSizeF(), 24.0);
    QCOMPARE(result.Label1->palette().color(QPalette::WindowText), QColor(0, 0, 64));
    QVERIFY(result.Label1->wordWrap());
    QVERIFY(result.Label1->alignment() & Qt::AlignHCenter);
    QVERIFY(!result.isVisible());
}

void PlayTest::theLoadHandlerReadsTheLeadingNumberOfTheScoreBox()
{
    fixture->form1().Text5->setText(QStringLiteral("12,5"));
    QCOMPARE(fixture->program().Form2().Label1->text(), QStringLiteral("Sie haben  12 Punkte erreicht!"));
}

void PlayTest::lettersInTheScoreBoxEndTheGameWithTheRunningScore()
{
    ui::Form1& f = fixture->form1();
    fixture->startWithTargetAt(0.0f, 0.0f);
    fixture->clickField(30, 30);
    f.Text5->selectAll();
    QTest::keyClicks(f.Text5, QStringLiteral("Äpfel"));
    QCOMPARE(f.Text5->text(), QStringLiteral("Äpfel"));
    for (int i = 0; i < 9; ++i)
        fixture->tick();
    QVERIFY(!f.Timer1.isEnabled());
    QCOMPARE(f.Endstand(), std::int16_t(31));
    QCOMPARE(fixture->program().Form2().Label1->text(), QStringLiteral("Sie haben  31 Punkte erreicht!"));
    QVERIFY(fixture->exitCodes.empty());
}

void PlayTest::theRealTimerPlaysAWholeGame()
{
    ui::Form1& f = fixture->form1();
    f.HScroll1->setValue(1000);   // the fastest pace: 10 ms
    QCOMPARE(f.Timer1.interval(), 10);
    QTest::mouseClick(f.Command1, Qt::LeftButton);
    QTRY_VERIFY_WITH_TIMEOUT(fixture->program().form2Exists() && fixture->program().Form2().isVisible(), 20000);
    QCOMPARE(f.state().Anzahl, std::int16_t(11));
    QVERIFY(!f.Timer1.isEnabled());
    QTest::qWait(50);
    QCOMPARE(f.state().Anzahl, std::int16_t(11));
}

RINGTAFEL_TEST_MAIN(PlayTest)
#include "PlayTest.moc"
