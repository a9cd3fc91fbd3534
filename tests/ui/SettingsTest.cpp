// SPDX-License-Identifier: MIT
#include "support/ProgramFixture.h"
#include "support/ProgramTestCase.h"
#include "support/ScrollBarParts.h"
#include "support/TestMain.h"

#include "ui/explain/Form3.h"
#include "ui/main/Form1.h"
#include "ui/result/Form2.h"

#include <QCloseEvent>
#include <QLabel>
#include <QMessageBox>
#include <QTimer>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QStyle>
#include <QTest>

using testing_support::ProgramFixture;
using testing_support::scrollBarPart;

namespace {


QPoint backgroundPoint() { return {40, 40}; }   // above the field, left of the buttons

} // namespace

class SettingsTest : public testing_support::ProgramTestCase {
    Q_OBJECT
private slots:

    void afterStartUpTheGameRunsAt410WithAnfaengerSelected();
    void levelsAndSliderSetThePaceWhicheverRanLast();
    void aTrackClickMovesTheSliderBy100();
    void draggingChangesThePaceOnlyOnRelease();
    void aMiddleButtonDragLeavesThePaceAlone();
    void theSliderSetsThePaceAcrossItsRange_data();
    void theSliderSetsThePaceAcrossItsRange();
    void jaShowsTheTimePointsAndScoresThem();
    void aBackgroundClickBeforeAnyGameCreatesTheResultWindowHidden();
    void aBackgroundClickHidesBothSecondaryWindows();
    void aClickOnALabelIsNoBackgroundClick();
    void erklaerungShowsTheExplanationAndKeepsItShown();
    void theExplanationWindowLooksAsDesigned();
    void theGameGoesOnWhileTheExplanationIsShown();
    void endeEndsTheProgram();
    void closingTheMainWindowEndsTheProgram();
    void closingASecondaryWindowOnlyHidesIt();
    void runtimeErrorsAreReportedInGermanAndEndTheProgram();
    void anyOtherFailureOfAHandlerIsReportedToo_data();
    void anyOtherFailureOfAHandlerIsReportedToo();
};

void SettingsTest::afterStartUpTheGameRunsAt410WithAnfaengerSelected()
{
    ui::Form1& f = fixture->form1();
    QCOMPARE(f.HScroll1->value(), 600);
    QTest::mouseClick(f.Command1, Qt::LeftButton);
    QCOMPARE(f.Timer1.interval(), 410);
    QVERIFY(f.Option1->isChecked());
}

void SettingsTest::levelsAndSliderSetThePaceWhicheverRanLast()
{
    ui::Form1& f = fixture->form1();
    f.Option3->click();
    QCOMPARE(f.Timer1.interval(), 400);
    const QRect leftArrow = scrollBarPart(f.HScroll1, QStyle::SC_ScrollBarSubLine);
    QVERIFY(leftArrow.isValid());
    QTest::mouseClick(f.HScroll1, Qt::LeftButton, Qt::NoModifier, leftArrow.center());
    QCOMPARE(f.HScroll1->value(), 590);
    QCOMPARE(f.Timer1.interval(), 420);
    QVERIFY(f.Option3->isChecked());
    f.Option1->click();
    QCOMPARE(f.Timer1.interval(), 800);
    QCOMPARE(f.HScroll1->value(), 590);
    f.Option2->click();
    QCOMPARE(f.Timer1.interval(), 600);
    const QRect rightArrow = scrollBarPart(f.HScroll1, QStyle::SC_ScrollBarAddLine);
    QTest::mouseClick(f.HScroll1, Qt::LeftButton, Qt::NoModifier, rightArrow.center());
    QCOMPARE(f.HScroll1->value(), 600);
    QCOMPARE(f.Timer1.interval(), 410);
}

void SettingsTest::aTrackClickMovesTheSliderBy100()
{
    ui::Form1& f = fixture->form1();
    const QRect track = scrollBarPart(f.HScroll1, QStyle::SC_ScrollBarAddPage);
    QVERIFY(track.isValid());
    QTest::mouseClick(f.HScroll1, Qt::LeftButton, Qt::NoModifier, track.center());
    QCOMPARE(f.HScroll1->value(), 700);
    QCOMPARE(f.Timer1.interval(), 310);
    const QRect before = scrollBarPart(f.HScroll1, QStyle::SC_ScrollBarSubPage);
    QTest::mouseClick(f.HScroll1, Qt::LeftButton, Qt::NoModifier, before.center());
    QCOMPARE(f.HScroll1->value(), 600);
    QCOMPARE(f.Timer1.interval(), 410);
}

void SettingsTest::draggingChangesThePaceOnlyOnRelease()
{
    ui::Form1& f = fixture->form1();
    const QRect thumb = scrollBarPart(f.HScroll1, QStyle::SC_ScrollBarSlider);
    QVERIFY(thumb.isValid());
    const QPoint grab = thumb.center();
    QTest::mousePress(f.HScroll1, Qt::LeftButton, Qt::NoModifier, grab);
    for (int dx = 2; dx <= 20; dx += 2) {
        QMouseEvent move(QEvent::MouseMove, QPointF(grab + QPoint(dx, 0)),
                         QPointF(f.HScroll1->mapToGlobal(grab + QPoint(dx, 0))), Qt::NoButton, Qt::LeftButton,
                         Qt::NoModifier);
        QApplication::sendEvent(f.HScroll1, &move);
    }
    QVERIFY(f.HScroll1->sliderPosition() > 600);
    QCOMPARE(f.Timer1.interval(), 410);
    QTest::mouseRelease(f.HScroll1, Qt::LeftButton, Qt::NoModifier, grab + QPoint(20, 0));
    QCOMPARE(f.HScroll1->value(), f.HScroll1->sliderPosition());
    QCOMPARE(f.Timer1.interval(), 1010 - f.HScroll1->value());
    QVERIFY(f.Timer1.interval() < 410);
}

void SettingsTest::aMiddleButtonDragLeavesThePaceAlone()
{
    ui::Form1& f = fixture->form1();
    const QRect track = scrollBarPart(f.HScroll1, QStyle::SC_ScrollBarAddPage);
    QTest::mousePress(f.HScroll1, Qt::MiddleButton, Qt::NoModifier, track.center());
    QMouseEvent move(QEvent::MouseMove, QPointF(track.center() + QPoint(10, 0)),
                     QPointF(f.HScroll1->mapToGlobal(track.center() + QPoint(10, 0))), Qt::NoButton,
                     Qt::MiddleButton, Qt::NoModifier);
    QApplication::sendEvent(f.HScroll1, &move);
    QCOMPARE(f.HScroll1->value(), 600);
    QCOMPARE(f.Timer1.interval(), 410);
    QTest::mouseRelease(f.HScroll1, Qt::MiddleButton, Qt::NoModifier, track.center() + QPoint(10, 0));
    QCOMPARE(f.HScroll1->value(), 600);
    QCOMPARE(f.Timer1.interval(), 410);
}

void SettingsTest::theSliderSetsThePaceAcrossItsRange_data()
{
    QTest::addColumn<int>("value");
    QTest::addColumn<int>("held");
    QTest::addColumn<int>("interval");
    QTest::newRow("left end") << 10 << 10 << 1000;
    QTest::newRow("right end") << 1000 << 1000 << 10;
    QTest::newRow("below the range") << -5 << 10 << 1000;
    QTest::newRow("above the range") << 5000 << 1000 << 10;
}

void SettingsTest::theSliderSetsThePaceAcrossItsRange()
{
    QFETCH(int, value);
    QFETCH(int, held);
    QFETCH(int, interval);
    ui::Form1& f = fixture->form1();
    f.HScroll1->setValue(value);
    QCOMPARE(f.HScroll1->value(), held);
    QCOMPARE(f.Timer1.interval(), interval);
}

void SettingsTest::jaShowsTheTimePointsAndScoresThem()
{
    ui::Form1& f = fixture->form1();
    QVERIFY(!f.Text6->isVisible());
    f.Option4->click();
    QVERIFY(f.Text6->isVisible());
    fixture->random.queued = {0.0f, 0.0f};
    QTest::mouseClick(f.Command1, Qt::LeftButton);
    fixture->clock.now = 100.0f;
    fixture->tick();
    fixture->clock.now = 100.25f;
    fixture->clickField(30, 30);
    QCOMPARE(f.Text5->text(), QStringLiteral(" 38"));   // 31 ring points and 7 time points
    QCOMPARE(f.Text6->text(), QStringLiteral(" 7"));
    fixture->clock.now = 102.0f;
    fixture->clickField(30, 30);
    QCOMPARE(f.Text5->text(), QStringLiteral(" 59"));   // 31 and -10
    f.Option5->click();
    QVERIFY(!f.Text6->isVisible());
    fixture->clickField(30, 30);
    QCOMPARE(f.Text5->text(), QStringLiteral(" 90"));
}

void SettingsTest::aBackgroundClickBeforeAnyGameCreatesTheResultWindowHidden()
{
    ui::Form1& f = fixture->form1();
    QVERIFY(!fixture->program().form2Exists());
    QTest::mouseClick(&f, Qt::LeftButton, Qt::NoModifier, backgroundPoint());
    QVERIFY(fixture->program().form2Exists());
    QVERIFY(fixture->program().form3Exists());
    QCOMPARE(fixture->program().Form2().Label1->text(), QStringLiteral("Sie haben  0 Punkte erreicht!"));
    QVERIFY(!fixture->program().Form2().isVisible());
    QVERIFY(!fixture->program().Form3().isVisible());
}

void SettingsTest::aBackgroundClickHidesBothSecondaryWindows()
{
    ui::Form1& f = fixture->form1();
    fixture->playGameHittingCentres();
    QTest::mouseClick(f.Command3, Qt::LeftButton);
    QVERIFY(fixture->program().Form2().isVisible());
    QVERIFY(fixture->program().Form3().isVisible());
    QTest::mouseClick(&f, Qt::LeftButton, Qt::NoModifier, backgroundPoint());
    QVERIFY(!fixture->program().Form2().isVisible());
    QVERIFY(!fixture->program().Form3().isVisible());
    QCOMPARE(fixture->program().Form2().Label1->text(), QStringLiteral("Sie haben  279 Punkte erreicht!"));
}

void SettingsTest::aClickOnALabelIsNoBackgroundClick()
{
    ui::Form1& f = fixture->form1();
    QTest::mouseClick(f.Command3, Qt::LeftButton);
    QTest::mouseClick(f.Label5, Qt::LeftButton);
    QTest::mouseClick(f.Label4, Qt::LeftButton);
    QVERIFY(fixture->program().Form3().isVisible());
    QVERIFY(!fixture->program().form2Exists());
    QTest::mouseClick(&f, Qt::RightButton, Qt::NoModifier, backgroundPoint());
    QVERIFY2(!fixture->program().Form3().isVisible(), "any button clicks the background");
}

void SettingsTest::erklaerungShowsTheExplanationAndKeepsItShown()
{
    ui::Form1& f = fixture->form1();
    QVERIFY(!fixture->program().form3Exists());
    QTest::mouseClick(f.Command3, Qt::LeftButton);
    QVERIFY(fixture->program().Form3().isVisible());
    QTest::mouseClick(f.Command3, Qt::LeftButton);
    QVERIFY(fixture->program().Form3().isVisible());
    QVERIFY(!fixture->program().form2Exists());
    QTest::mouseClick(fixture->program().Form3().Command1, Qt::LeftButton);
    QVERIFY(!fixture->program().Form3().isVisible());
}

void SettingsTest::theExplanationWindowLooksAsDesigned()
{
    ui::Form3& e = fixture->program().Form3();
    QCOMPARE(e.windowTitle(), QStringLiteral("Ringtafel-Erklärung"));
    QCOMPARE(e.palette().color(QPalette::Window), QColor(255, 255, 192));
    QCOMPARE(e.size(), QSize(438, 403));
    QCOMPARE(e.Label1->text(), QStringLiteral("Erklärung"));
    QCOMPARE(e.Label1->font().pointSizeF(), 15.6);
    QCOMPARE(e.Label2->text(),
             QStringLiteral("Zum Starten bitte den Start-Button klicken. Nun erscheint im großen linken Feld in "
                            "kurzen Abständen eine Ringtafel an zufällig ausgewählten Stellen."));
    QCOMPARE(e.Label3->text(),
             QStringLiteral("Das Ziel ist es, mit dem Mauscursor die Ringtafel so weit wie möglich in der Mitte "
                            "durch Klicken der linken Maustaste zu treffen."));
    QVERIFY(e.Label2->wordWrap());
    QVERIFY(e.Label3->wordWrap());
    QCOMPARE(e.Command1->text(), QStringLiteral("Zurück"));
    QCOMPARE(e.Command1->geometry(), QRect(200, 320, 81, 33));
    QCOMPARE(e.Label2->geometry(), QRect(64, 64, 329, 97));
    QCOMPARE(e.Label3->geometry(), QRect(64, 208, 321, 89));
    // Each paragraph fits its label once wrapped.
    for (QLabel* paragraph : {e.Label2, e.Label3})
        QVERIFY(paragraph->heightForWidth(paragraph->width()) <= paragraph->height());
    QVERIFY(!e.isModal());
}

void SettingsTest::theGameGoesOnWhileTheExplanationIsShown()
{
    ui::Form1& f = fixture->form1();
    QTest::mouseClick(f.Command3, Qt::LeftButton);
    fixture->startWithTargetAt(0.0f, 0.0f);
    fixture->clickField(30, 30);
    QCOMPARE(f.Text5->text(), QStringLiteral(" 31"));
    QVERIFY(fixture->program().Form3().isVisible());
    QVERIFY(QApplication::activeModalWidget() == nullptr);
}

void SettingsTest::endeEndsTheProgram()
{
    ui::Form1& f = fixture->form1();
    QTest::mouseClick(f.Command3, Qt::LeftButton);
    QTest::mouseClick(f.Command1, Qt::LeftButton);
    QTest::mouseClick(f.Command2, Qt::LeftButton);
    QCOMPARE(fixture->exitCodes, std::vector<int>{0});
    QVERIFY(!f.isVisible());
    QVERIFY(!fixture->program().Form3().isVisible());
    QVERIFY(!f.Timer1.isEnabled());
    // Nothing reaches a handler afterwards.
    QTest::mouseClick(f.Command1, Qt::LeftButton);
    QCOMPARE(f.state().Anzahl, std::int16_t(1));
    QCOMPARE(fixture->exitCodes, std::vector<int>{0});
}

void SettingsTest::closingTheMainWindowEndsTheProgram()
{
    ui::Form1& f = fixture->form1();
    fixture->playGameHittingCentres();
    QTest::mouseClick(f.Command3, Qt::LeftButton);
    f.close();
    QCOMPARE(fixture->exitCodes, std::vector<int>{0});
    QVERIFY(!fixture->program().Form2().isVisible());
    QVERIFY(!fixture->program().Form3().isVisible());
}

void SettingsTest::closingASecondaryWindowOnlyHidesIt()
{
    ui::Form1& f = fixture->form1();
    fixture->playGameHittingCentres();
    ui::Form2& result = fixture->program().Form2();
    QVERIFY(result.close());
    QVERIFY(!result.isVisible());
    QTest::mouseClick(f.Command3, Qt::LeftButton);
    QVERIFY(fixture->program().Form3().close());
    QVERIFY(fixture->exitCodes.empty());
    QVERIFY(f.isVisible());
    QTest::mouseClick(f.Command3, Qt::LeftButton);
    QVERIFY(fixture->program().Form3().isVisible());
    QCOMPARE(&fixture->program().Form2(), &result);
    QCOMPARE(result.Label1->text(), QStringLiteral("Sie haben  279 Punkte erreicht!"));
}

void SettingsTest::runtimeErrorsAreReportedInGermanAndEndTheProgram()
{
    ui::Form1& f = fixture->form1();
    fixture->random.queued = {0.0f, 0.0f};
    QTest::mouseClick(f.Command1, Qt::LeftButton);
    f.HScroll1->setValue(1000);   // ticks every 10 ms while the box waits
    QString shownText;
    int anzahlWhileShown = -1;
    QTimer::singleShot(100, [&] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (box) {
            shownText = box->text();
            anzahlWhileShown = f.state().Anzahl;
            // Nothing reaches the game while the box is shown.
            QTest::mouseClick(f.Command1, Qt::LeftButton);
            box->accept();
        }
    });
    ui::guarded(fixture->program(), [] { rt::raiseRuntimeError(rt::ErrorCode::Overflow); });
    QCOMPARE(shownText, QStringLiteral("Laufzeitfehler '6':\n\nÜberlauf"));
    QCOMPARE(anzahlWhileShown, 1);
    QCOMPARE(f.state().Anzahl, std::int16_t(1));
    QCOMPARE(fixture->exitCodes, std::vector<int>{1});
    QVERIFY(!fixture->form1().isVisible());
}

void SettingsTest::anyOtherFailureOfAHandlerIsReportedToo_data()
{
    QTest::addColumn<bool>("outOfMemory");
    QTest::addColumn<QString>("report");
    QTest::newRow("any failure") << false << "Laufzeitfehler '5':\n\nUnzulässiger Prozeduraufruf oder ungültiges Argument";
    QTest::newRow("out of memory") << true << "Laufzeitfehler '7':\n\nNicht genügend Speicher";
}

void SettingsTest::anyOtherFailureOfAHandlerIsReportedToo()
{
    QFETCH(bool, outOfMemory);
    QFETCH(QString, report);
    QString shown;
    QTimer::singleShot(0, [&shown] {
        if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
            shown = box->text();
            box->accept();
        }
    });
    ui::guarded(fixture->program(), [outOfMemory] {
        if (outOfMemory)
            throw std::bad_alloc();
        throw std::length_error("too long");
    });
    QCOMPARE(shown, report);
    QCOMPARE(fixture->exitCodes, std::vector<int>{1});
}

RINGTAFEL_TEST_MAIN(SettingsTest)
#include "SettingsTest.moc"
