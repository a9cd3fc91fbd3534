// SPDX-License-Identifier: MIT
#include "support/ProgramFixture.h"
#include "support/ProgramTestCase.h"
#include "support/TestMain.h"

#include "ui/explain/Form3.h"
#include "ui/main/Form1.h"
#include "ui/result/Form2.h"

#include <QAccessible>
#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QScrollBar>
#include <QTest>

using testing_support::ProgramFixture;

namespace {
// What a screen reader was last told through the widget's notification.
QString announcement(QObject& widget)
{
    QObject* notice = widget.findChild<QObject*>(QStringLiteral("announcement"), Qt::FindDirectChildrenOnly);
    return notice ? QAccessible::queryAccessibleInterface(notice)->text(QAccessible::Name) : QString();
}
} // namespace

class AccessibilityTest : public testing_support::ProgramTestCase {
    Q_OBJECT
private slots:

    void theToolkitsOwnTextsAreGermanWhateverTheLocale();
    void everyWindowShowsTheRingTargetIcon();
    void everyVisibleControlHasASpokenName_data();
    void everyVisibleControlHasASpokenName();
    void enterOrSpaceOnAFocusedButtonActsLikeAClick_data();
    void enterOrSpaceOnAFocusedButtonActsLikeAClick();
    void theArrowKeysMoveTheSliderAndSetThePace();
    void theSecondaryWindowsButtonsTakeTheKeyboard();
    void aNewResultIsAnnouncedOnlyWhenTheResultWindowIsActive();
};

void AccessibilityTest::theToolkitsOwnTextsAreGermanWhateverTheLocale()
{
    // The tests run with LC_ALL=C.UTF-8, an English locale.
    std::unique_ptr<QMenu> menu(fixture->form1().Text5->createStandardContextMenu());
    QStringList texts;
    for (QAction* action : menu->actions())
        texts << action->text().remove(QLatin1Char('&'));
    QVERIFY2(texts.join(QLatin1Char('|')).contains(QStringLiteral("Einfügen")), qPrintable(texts.join(QLatin1Char('|'))));
    QVERIFY(texts.join(QLatin1Char('|')).contains(QStringLiteral("Rückgängig")));
    QDialogButtonBox box(QDialogButtonBox::Cancel | QDialogButtonBox::Yes);
    QCOMPARE(box.button(QDialogButtonBox::Cancel)->text().remove(QLatin1Char('&')), QStringLiteral("Abbrechen"));
    QCOMPARE(box.button(QDialogButtonBox::Yes)->text().remove(QLatin1Char('&')), QStringLiteral("Ja"));
}

void AccessibilityTest::everyWindowShowsTheRingTargetIcon()
{
    // The icon comes right after the main window's first frame.
    QVERIFY(QTest::qWaitForWindowExposed(&fixture->form1()));
    QTRY_VERIFY(!QApplication::windowIcon().isNull());
    for (QWidget* window : {static_cast<QWidget*>(&fixture->form1()), static_cast<QWidget*>(&fixture->program().Form2()),
                            static_cast<QWidget*>(&fixture->program().Form3())}) {
        const QIcon icon = window->windowIcon();
        QVERIFY(!icon.isNull());
        // The middle of the target is light yellow.
        const QImage small = icon.pixmap(QSize(32, 32)).toImage();
        QCOMPARE(small.size(), QSize(32, 32));
        QCOMPARE(small.pixelColor(16, 16), QColor(255, 255, 0));
    }
}

void AccessibilityTest::everyVisibleControlHasASpokenName_data()
{
    QTest::addColumn<QString>("control");
    QTest::addColumn<QString>("name");
    QTest::newRow("score box") << "Text5" << "Punkte";
    QTest::newRow("slider") << "HScroll1" << "Schwierigkeitsgrad";
    QTest::newRow("field") << "Picture1" << "Zielfeld";
    QTest::newRow("start") << "Command1" << "Start";
    QTest::newRow("end") << "Command2" << "Ende";
    QTest::newRow("explain") << "Command3" << "Erklärung";
}

void AccessibilityTest::everyVisibleControlHasASpokenName()
{
    QFETCH(QString, control);
    QFETCH(QString, name);
    QWidget* widget = testing_support::control(fixture->form1(), control);
    QVERIFY(widget);
    QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(widget);
    QVERIFY(accessible);
    QCOMPARE(accessible->text(QAccessible::Name), name);
}

void AccessibilityTest::enterOrSpaceOnAFocusedButtonActsLikeAClick_data()
{
    QTest::addColumn<int>("key");
    QTest::newRow("enter") << int(Qt::Key_Return);
    QTest::newRow("keypad enter") << int(Qt::Key_Enter);
    QTest::newRow("space") << int(Qt::Key_Space);
}

void AccessibilityTest::enterOrSpaceOnAFocusedButtonActsLikeAClick()
{
    QFETCH(int, key);
    ui::Form1& f = fixture->form1();
    f.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&f));
    f.Command1->setFocus();
    QTest::keyClick(f.Command1, Qt::Key(key));
    QCOMPARE(f.Text5->text(), QStringLiteral(" 0"));
    QVERIFY(f.Timer1.isEnabled());
    f.Command3->setFocus();
    QTest::keyClick(f.Command3, Qt::Key(key));
    QVERIFY(fixture->program().Form3().isVisible());
}

void AccessibilityTest::theArrowKeysMoveTheSliderAndSetThePace()
{
    ui::Form1& f = fixture->form1();
    f.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&f));
    f.HScroll1->setFocus();
    QTest::keyClick(f.HScroll1, Qt::Key_Right);
    QCOMPARE(f.HScroll1->value(), 610);
    QCOMPARE(f.Timer1.interval(), 400);
    QCOMPARE(QAccessible::queryAccessibleInterface(f.HScroll1)->text(QAccessible::Description),
             QStringLiteral("400 Millisekunden je Ziel, links leichter, rechts schwerer"));
    QTest::keyClick(f.HScroll1, Qt::Key_PageUp);
    QCOMPARE(f.HScroll1->value(), 710);
    QCOMPARE(f.Timer1.interval(), 300);
    QTest::keyClick(f.HScroll1, Qt::Key_End);
    QCOMPARE(announcement(*f.HScroll1), QStringLiteral("10 Millisekunden je Ziel"));
}

void AccessibilityTest::theSecondaryWindowsButtonsTakeTheKeyboard()
{
    fixture->playGameHittingCentres();
    ui::Form2& result = fixture->program().Form2();
    result.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&result));
    QCOMPARE(QApplication::focusWidget(), result.Command1);
    QTest::keyClick(result.Command1, Qt::Key_Return);
    QVERIFY(!result.isVisible());
    ui::Form3& explanation = fixture->program().Form3();
    explanation.show();
    explanation.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&explanation));
    QCOMPARE(QApplication::focusWidget(), explanation.Command1);
    QTest::keyClick(explanation.Command1, Qt::Key_Space);
    QVERIFY(!explanation.isVisible());
    QCOMPARE(QAccessible::queryAccessibleInterface(result.Label1)->text(QAccessible::Name),
             QStringLiteral("Sie haben  279 Punkte erreicht!"));
}

void AccessibilityTest::aNewResultIsAnnouncedOnlyWhenTheResultWindowIsActive()
{
    fixture->playGameHittingCentres();
    ui::Form2& result = fixture->program().Form2();
    QAccessibleInterface* window = QAccessible::queryAccessibleInterface(&result);
    QCOMPARE(window->role(), QAccessible::Dialog);
    // Its labels are spoken with it; a description would say the sentence twice.
    QCOMPARE(window->text(QAccessible::Description), QString());
    const auto playWhile = [this](QWidget& active) {
        active.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&active));
        fixture->form1().Command1_Click();
        for (int tick = 0; tick < 10; ++tick)
            fixture->tick();
    };
    playWhile(fixture->form1());   // the result window comes to the front, its activation speaks
    QCOMPARE(announcement(result), QString());
    playWhile(result);
    QCOMPARE(announcement(result), QStringLiteral("Sie haben  0 Punkte erreicht!"));
}

RINGTAFEL_TEST_MAIN(AccessibilityTest)
#include "AccessibilityTest.moc"
