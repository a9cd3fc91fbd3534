// SPDX-License-Identifier: MIT
#include "support/ProgramFixture.h"
#include "support/ProgramTestCase.h"
#include "support/TestMain.h"

#include "ui/main/Form1.h"

#include <QEnterEvent>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QTest>

using testing_support::ProgramFixture;
using testing_support::control;

namespace {

// Every control of the main window with its design rectangle in twips.
struct Expected {
    const char* name;
    int left, top, width, height;
    bool shown;
};

constexpr Expected Controls[] = {
    {"HScroll1", 9960, 5880, 2055, 255, true},   {"Command3", 9840, 2640, 1815, 495, true},
    {"Text6", 8520, 8400, 1215, 855, false},     {"Frame2", 5400, 8280, 2655, 975, false},
    {"Option5", 1440, 360, 975, 375, false},     {"Option4", 240, 240, 975, 615, false},
    {"Frame1", 9840, 6600, 1935, 1335, false},   {"Option3", 120, 940, 1095, 375, false},
    {"Option2", 120, 600, 1695, 375, false},     {"Option1", 120, 360, 975, 255, false},
    {"Text5", 10680, 4920, 975, 390, true},      {"Text4", 10920, 4320, 735, 495, false},
    {"Text3", 9960, 4320, 735, 495, false},      {"Text2", 10920, 3360, 735, 495, false},
    {"Text1", 9960, 3360, 735, 495, false},      {"Command2", 10800, 2040, 855, 495, true},
    {"Command1", 9840, 2040, 855, 495, true},    {"Picture1", 4320, 2040, 5415, 5895, true},
    {"Label6", 9960, 6150, 2055, 255, true},     {"Label5", 9960, 5640, 2055, 375, true},
    {"Label4", 4920, 9480, 5535, 255, true},     {"Label3", 9960, 5040, 615, 255, true},
    {"Label2", 9960, 3960, 855, 375, false},     {"Label1", 9960, 3000, 615, 255, false},
};

int px(int twips) { return (twips + 7) / 15; }

QString textOf(QWidget* w)
{
    if (auto* b = qobject_cast<QAbstractButton*>(w))
        return b->text();
    if (auto* e = qobject_cast<QLineEdit*>(w))
        return e->text();
    if (auto* l = qobject_cast<QLabel*>(w))
        return l->text();
    if (auto* g = qobject_cast<QGroupBox*>(w))
        return g->title();
    return {};
}

} // namespace

class MainWindowTest : public testing_support::ProgramTestCase {
    Q_OBJECT
private slots:

    void everyControlHasItsDesignPlaceAndVisibility_data();
    void everyControlHasItsDesignPlaceAndVisibility();
    void everyControlHasItsDesignText_data();
    void everyControlHasItsDesignText();
    void theWindowShowsItsCaptionColourAndTheCreditsLine();
    void theFieldIsASunkenFrameAroundAWhitePictureOf357By389();
    void fontsAreTheDesignFonts();
    void theSliderRunsFrom10To1000InStepsOf10And100();
    void theTimerStartsDisabled();
    void tabOrderFollowsTheTabIndices();
    void onlyOneChoiceOfEachGroupIsSelected();
    void startShowsZeroWithABlankAndRunsTheTimer();
    void startTwiceResetsAgain();
    void startLeavesTheTargetAndTheResultWindowAlone();
};

void MainWindowTest::everyControlHasItsDesignPlaceAndVisibility_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QRect>("rect");
    QTest::addColumn<bool>("shown");
    for (const Expected& e : Controls)
        QTest::newRow(e.name) << QString::fromLatin1(e.name)
                              << QRect(px(e.left), px(e.top), px(e.width), px(e.height)) << e.shown;
}

void MainWindowTest::everyControlHasItsDesignPlaceAndVisibility()
{
    QFETCH(QString, name);
    QFETCH(QRect, rect);
    QFETCH(bool, shown);
    QWidget* w = control(fixture->form1(), name);
    QVERIFY(w);
    QCOMPARE(w->geometry(), rect);
    QCOMPARE(w->isVisible(), shown);
}

void MainWindowTest::everyControlHasItsDesignText_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("text");
    const std::pair<const char*, const char*> texts[] = {
        {"Command1", "Start"},  {"Command2", "Ende"},
        {"Command3", "Erklärung"},
        {"Text1", "Text1"},     {"Text2", "Text2"},     {"Text3", "Text3"}, {"Text4", "Text4"},
        {"Text5", "0"},         {"Text6", "Text6"},
        {"Frame1", "Leistungsniveau"},                  {"Frame2", "Zeitwertung"},
        {"Option1", "Anfänger"}, {"Option2", "Fortgeschrittener"},          {"Option3", "Profi"},
        {"Option4", "Ja"},      {"Option5", "Nein"},
        {"Label1", "Maus"},     {"Label2", "Scheibe"},  {"Label3", "Punkte"},
        {"Label5", "Schwierigkeitsgrad"},
        {"Label6", "< leichter     --     schwerer >"},
    };
    for (const auto& [name, text] : texts)
        QTest::newRow(name) << QString::fromLatin1(name) << QString::fromUtf8(text);
}

void MainWindowTest::everyControlHasItsDesignText()
{
    QFETCH(QString, name);
    QFETCH(QString, text);
    QCOMPARE(textOf(control(fixture->form1(), name)), text);
}

void MainWindowTest::theWindowShowsItsCaptionColourAndTheCreditsLine()
{
    ui::Form1& f = fixture->form1();
    QCOMPARE(f.windowTitle(), QStringLiteral("Ringtafel-Programm"));
    QCOMPARE(f.palette().color(QPalette::Window), QColor(192, 192, 255));
    QCOMPARE(f.width(), px(12192));
    QVERIFY2(f.height() >= f.Label4->geometry().bottom() + 1, "the credits line must be inside the window");
    QVERIFY(f.Label4->text().contains(QStringLiteral("Ringtafel")));
    QVERIFY(f.Label4->alignment() & Qt::AlignHCenter);
    QVERIFY(f.Text5->alignment() & Qt::AlignHCenter);
    QVERIFY(f.isVisible());
}

void MainWindowTest::theFieldIsASunkenFrameAroundAWhitePictureOf357By389()
{
    ui::Form1& f = fixture->form1();
    QCOMPARE(f.Picture1->size(), QSize(361, 393));
    QCOMPARE(f.Picture1->contentsRect().size(), QSize(357, 389));
    QCOMPARE(f.Picture1->frameShadow(), QFrame::Sunken);
    QCOMPARE(f.Picture1->canvas().innerWidth(), 357);
    QCOMPARE(f.Picture1->canvas().innerHeight(), 389);
    QCOMPARE(f.Picture1->canvas().penWidth(), 3);
    // The pointer shows a cross from its first coming onto the field; the
    // window system reads the cross's pictures no sooner.
    QVERIFY(!f.Picture1->testAttribute(Qt::WA_SetCursor));
    const QPointF inside(f.Picture1->rect().center());
    QEnterEvent enter(inside, f.Picture1->mapToGlobal(inside), f.Picture1->mapToGlobal(inside));
    QApplication::sendEvent(f.Picture1, &enter);
    QCOMPARE(f.Picture1->cursor().shape(), Qt::CrossCursor);
    QCOMPARE(f.Picture1->image().pixelColor(0, 0), QColor(Qt::white));
    // What reaches the screen is the picture as drawn.
    QImage grabbed = f.Picture1->grab().toImage();
    QCOMPARE(grabbed.pixelColor(f.Picture1->contentsRect().center()), QColor(Qt::white));
}

void MainWindowTest::fontsAreTheDesignFonts()
{
    ui::Form1& f = fixture->form1();
    for (QWidget* w : {static_cast<QWidget*>(f.Command1), static_cast<QWidget*>(f.Command2),
                       static_cast<QWidget*>(f.Command3)}) {
        QCOMPARE(w->font().family(), QStringLiteral("Arial"));
        QCOMPARE(w->font().pointSizeF(), 12.0);
    }
    QCOMPARE(f.Text5->font().pointSizeF(), 12.0);
    QVERIFY(f.Text5->font().bold());
    QCOMPARE(f.Label5->font().pointSizeF(), 9.6);
    QVERIFY(f.Label5->font().bold());
    QCOMPARE(f.Label3->font().pointSizeF(), 7.8);
    QCOMPARE(f.Frame1->font().pointSizeF(), 9.6);
}

void MainWindowTest::theSliderRunsFrom10To1000InStepsOf10And100()
{
    QScrollBar* s = fixture->form1().HScroll1;
    QCOMPARE(s->minimum(), 10);
    QCOMPARE(s->maximum(), 1000);
    QCOMPARE(s->singleStep(), 10);
    QCOMPARE(s->pageStep(), 100);
    QCOMPARE(s->orientation(), Qt::Horizontal);
}

void MainWindowTest::theTimerStartsDisabled()
{
    {
        // As built, before the load handler.
        ui::Form1 built(fixture->program(), fixture->clock, fixture->random);
        QVERIFY(!built.Timer1.isEnabled());
        QCOMPARE(built.Timer1.interval(), 800);
        QCOMPARE(built.HScroll1->value(), 10);
    }
    // The window is built with the timer off; the load handler has then set the pace.
    QVERIFY(!fixture->form1().Timer1.isEnabled());
    QCOMPARE(fixture->form1().Timer1.interval(), 410);
}

void MainWindowTest::tabOrderFollowsTheTabIndices()
{
    ui::Form1& f = fixture->form1();
    const QList<QWidget*> expected{f.Picture1, f.Command1, f.Command2, f.Text1, f.Text2,  f.Text3,
                                   f.Text4,    f.Text5,    f.Option1,  f.Option2, f.Option3, f.Option4,
                                   f.Option5,  f.Text6,    f.Command3, f.HScroll1};
    QList<QWidget*> chain;
    QWidget* w = f.Picture1;
    do {
        if (expected.contains(w))
            chain.append(w);
        w = w->nextInFocusChain();
    } while (w != f.Picture1 && chain.size() < expected.size());
    QCOMPARE(chain, expected);
    // On screen the field has the focus first, then the visible ones take it in that order.
    f.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&f));
    QCOMPARE(QApplication::focusWidget(), f.Picture1);
    const QList<QWidget*> visible{f.Command1, f.Command2, f.Text5, f.Command3, f.HScroll1, f.Picture1};
    for (QWidget* next : visible) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), next);
    }
}

void MainWindowTest::onlyOneChoiceOfEachGroupIsSelected()
{
    ui::Form1& f = fixture->form1();
    QVERIFY(f.Option1->isChecked());
    QVERIFY(f.Option5->isChecked());
    f.Option3->setChecked(true);
    QVERIFY(!f.Option1->isChecked());
    QVERIFY(f.Option5->isChecked());
    QVERIFY(!f.Option4->isChecked());
}

void MainWindowTest::startShowsZeroWithABlankAndRunsTheTimer()
{
    ui::Form1& f = fixture->form1();
    QCOMPARE(f.Text5->text(), QStringLiteral("0"));
    fixture->clock.now = 777.25f;
    QTest::mouseClick(f.Command1, Qt::LeftButton);
    QCOMPARE(f.Text5->text(), QStringLiteral(" 0"));
    QVERIFY(f.Timer1.isEnabled());
    QCOMPARE(f.Timer1.interval(), 410);
    QCOMPARE(f.state().Anzahl, std::int16_t(1));
    QCOMPARE(f.state().Punkte.toDouble(), 0.0);
    QCOMPARE(fixture->random.seeds, std::vector<float>{777.25f});
}

void MainWindowTest::startTwiceResetsAgain()
{
    ui::Form1& f = fixture->form1();
    fixture->startWithTargetAt(0.0f, 0.0f);
    fixture->clickField(30, 30);
    fixture->tick();
    QCOMPARE(f.Text5->text(), QStringLiteral(" 31"));
    QCOMPARE(f.state().Anzahl, std::int16_t(3));
    QTest::mouseClick(f.Command1, Qt::LeftButton);
    QCOMPARE(f.Text5->text(), QStringLiteral(" 0"));
    QCOMPARE(f.state().Anzahl, std::int16_t(1));
    QVERIFY(f.Timer1.isEnabled());
    QCOMPARE(fixture->random.seeds.size(), std::size_t(2));
}

void MainWindowTest::startLeavesTheTargetAndTheResultWindowAlone()
{
    ui::Form1& f = fixture->form1();
    fixture->startWithTargetAt(0.5f, 0.5f);
    const QImage before = f.Picture1->image().copy();
    const double xx = f.state().xx.toDouble();
    QTest::mouseClick(f.Command1, Qt::LeftButton);
    QCOMPARE(f.Picture1->image(), before);
    QCOMPARE(f.state().xx.toDouble(), xx);
    QVERIFY(!fixture->program().form2Exists());
}

RINGTAFEL_TEST_MAIN(MainWindowTest)
#include "MainWindowTest.moc"
