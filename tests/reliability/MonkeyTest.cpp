// SPDX-License-Identifier: MIT
// A seeded storm of random input through the real windows while the game
// ticks, with the game's invariants checked after every single event.
//
// The seed is fixed, so that every run tests the same storm; another comes
// from RINGTAFEL_MONKEY_SEED. It is printed first: the same seed replays the
// same storm.
// RINGTAFEL_MONKEY_EVENTS makes the storm longer than its 20,000 events.
#include "ReliabilitySupport.h"

#include "support/ProgramFixture.h"
#include "support/ScrollBarParts.h"
#include "support/TestMain.h"

#include "ui/explain/Form3.h"
#include "ui/main/Form1.h"
#include "ui/result/Form2.h"

#include <QApplication>
#include <QClipboard>
#include <QElapsedTimer>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QStyle>
#include <QTest>

#include <array>
#include <cmath>
#include <cstdint>
#include <deque>
#include <optional>
#include <random>

using testing_support::ProgramFixture;
using testing_support::scrollBarPart;

namespace {

constexpr std::uint64_t DefaultSeed = 20251209;
constexpr long MinimumEvents = 20000;
// While the timer runs, one tick falls among this many events on average:
// far faster than a player can click, as at the fastest pace.
constexpr int EventsPerTick = 20;
constexpr float SecondsPerDay = 86400.0f;
// The target's rings reach 30 pixels from its middle pixel on every side.
constexpr int TargetSpan = 61;
const QRgb White = qRgb(255, 255, 255);
const QRgb LightYellow = qRgb(255, 255, 0);

std::uint64_t monkeySeed()
{
    bool ok = false;
    const qulonglong fromEnvironment = qEnvironmentVariable("RINGTAFEL_MONKEY_SEED").toULongLong(&ok);
    return ok ? fromEnvironment : DefaultSeed;
}

long monkeyEvents()
{
    bool ok = false;
    const long fromEnvironment = qEnvironmentVariable("RINGTAFEL_MONKEY_EVENTS").toLong(&ok);
    return ok && fromEnvironment > MinimumEvents ? fromEnvironment : MinimumEvents;
}

QString buttonName(Qt::MouseButton button)
{
    switch (button) {
    case Qt::LeftButton: return QStringLiteral("left");
    case Qt::RightButton: return QStringLiteral("right");
    case Qt::MiddleButton: return QStringLiteral("middle");
    default: return QStringLiteral("other");
    }
}

QString shortText(const QString& text)
{
    return text.size() <= 24 ? text : text.left(20) + QStringLiteral("...(%1 chars)").arg(text.size());
}

QString widgetName(const QWidget* widget)
{
    QString name = QString::fromLatin1(widget->metaObject()->className());
    if (const auto* button = qobject_cast<const QAbstractButton*>(widget))
        name += QStringLiteral(" \"%1\"").arg(button->text());
    else if (const auto* label = qobject_cast<const QLabel*>(widget))
        name += QStringLiteral(" \"%1\"").arg(shortText(label->text()));
    else if (widget->isWindow())
        name += QStringLiteral(" \"%1\"").arg(widget->windowTitle());
    return name;
}


// The text form of a 16-bit score in the result sentence: a blank stands
// where a minus sign would.
QString scoreText(std::int16_t score)
{
    return (score < 0 ? QStringLiteral("-") : QStringLiteral(" ")) + QString::number(std::abs(int(score)));
}

bool sameValue(const rt::Variant& a, const rt::Variant& b)
{
    return a.kind() == b.kind() && a.toDouble() == b.toDouble();
}

// The key a keyboard reports together with a character: the capital
// letter's key for a letter, the control key for a control character.
Qt::Key keyFor(QChar c)
{
    switch (c.unicode()) {
    case 0x08: return Qt::Key_Backspace;
    case 0x09: return Qt::Key_Tab;
    case 0x0a:
    case 0x0d: return Qt::Key_Return;
    case 0x1b: return Qt::Key_Escape;
    case 0x7f: return Qt::Key_Delete;
    default: break;
    }
    const QChar key = c.toUpper();
    return key.unicode() >= 0x20 && key.unicode() <= 0xff && key.unicode() != 0x7f ? Qt::Key(key.unicode())
                                                                                   : Qt::Key_unknown;
}

// Types each character as one key click that carries it, as a keyboard
// does. Unlike QTest::keyClicks this also takes small umlauts, characters
// beyond Latin-1 and control characters.
void typeAsKeys(QWidget* widget, const QString& text)
{
    for (qsizetype i = 0; i < text.size(); ++i) {
        // A character beyond the 16-bit range comes as one key with both halves.
        const qsizetype length = text[i].isHighSurrogate() && i + 1 < text.size() ? 2 : 1;
        QTest::sendKeyEvent(QTest::Click, widget, length == 1 ? keyFor(text[i]) : Qt::Key_unknown,
                            text.mid(i, length), Qt::NoModifier);
        i += length - 1;
    }
}

// What a player can put into the score box, typed or pasted.
struct Texts {
    // Text that QTest::keyClicks can type itself.
    QStringList typed{QStringLiteral("ÄÖÜß"), QStringLiteral("12,5"), QStringLiteral("99999999"),
                      QStringLiteral("-7"), QStringLiteral("Punkte"), QStringLiteral("1E+40"),
                      QStringLiteral("0,5E-3"), QStringLiteral(" "), QStringLiteral("32767"),
                      QStringLiteral("-32768"), QStringLiteral("Äpfel"), QStringLiteral("x"), QStringLiteral("9")};
    // Small umlauts, characters beyond Latin-1 and control characters.
    QStringList typedAsKeys{QStringLiteral("äöüß"), QStringLiteral("größer"), QStringLiteral("€"),
                            QStringLiteral("ẞ"), QString::fromUtf8("\xF0\x9F\x8E\xAF"), QStringLiteral("½"),
                            QStringLiteral("\x01\x07"), QStringLiteral("\b\b"), QStringLiteral("\t"),
                            QStringLiteral("\r"), QStringLiteral("\n"), QStringLiteral("\x1b"),
                            QStringLiteral("\x7f"), QStringLiteral("\x1f" "12")};
    QStringList pasted{QString(),
                       QStringLiteral("12,5"),
                       QStringLiteral("99999999"),
                       QStringLiteral("-99999999"),
                       QStringLiteral("32767,5"),
                       QStringLiteral("1E+400"),
                       QStringLiteral("   "),
                       QStringLiteral("äöüß"),
                       QString(40000, QLatin1Char('x')),
                       QString(40000, QLatin1Char('9')),
                       QStringLiteral("1") + QString(39999, QLatin1Char('0')),
                       QStringLiteral("äöüß").repeated(10000),
                       QStringLiteral("12,5").repeated(10000)};
};

class Monkey {
public:
    Monkey(ProgramFixture& fixture, std::uint64_t seed)
        : fixture_(fixture), f_(fixture.form1()), rng_(seed), hold_(fixture)
    {
        fixture_.clock.now = SecondsPerDay - 60.0f;   // the storm crosses midnight
        QObject::connect(f_.Command1, &QPushButton::clicked, [this] { ++startClicks_; });
    }

    // One event, or the next step of a drag, then perhaps a tick. Returns
    // what went wrong, or nothing when every invariant holds.
    QString step();

    long events() const { return events_; }
    long ticks() const { return ticks_; }
    long gamesEnded() const { return gamesEnded_; }
    long hits() const { return hits_; }
    long starts() const { return startClicks_; }
    int heldBackTimerEvents() const { return hold_.heldBack(); }

private:
    struct Before {
        rt::Variant punkte;
        QString text5;
        int slider;
        std::array<bool, 5> options;
        long startClicks;
    };
    struct Shot {
        int x, y;
        bool onTarget;
        double centreX, centreY;
        bool doubleClick;
    };

    // Random choices.
    int below(int n) { return std::uniform_int_distribution<int>(0, n - 1)(rng_); }
    bool chance(int percent) { return below(100) < percent; }
    float unit() { return std::ldexp(float(rng_() >> 40), -24); }   // [0, 1)
    Qt::MouseButton anyButton()
    {
        static constexpr Qt::MouseButton buttons[] = {Qt::LeftButton, Qt::RightButton, Qt::MiddleButton};
        return buttons[below(3)];
    }
    Qt::MouseButton mostlyLeft() { return chance(80) ? Qt::LeftButton : anyButton(); }
    QPoint pointIn(const QRect& r) { return {r.left() + below(r.width()), r.top() + below(r.height())}; }

    std::array<QRadioButton*, 5> options() const
    {
        return {f_.Option1, f_.Option2, f_.Option3, f_.Option4, f_.Option5};
    }
    Before snapshot() const;
    void passTime(float seconds);

    // The events.
    QString randomEvent();
    QString clickField();
    QString clickAnywhere();
    QString clickStart();
    QString clickErklaerung();
    QString clickZurueck();
    QString clickSlider();
    QString beginDrag();
    QString continueDrag();
    QString clickOption();
    QString typeIntoScoreBox();
    QString replaceScoreText();
    QString pressKeyOnFocus();
    QString closeSecondaryWindow();
    QString runEventLoop();
    // A click, or a double click when `twice`.
    QString click(QWidget* widget, Qt::MouseButton button, QPoint at, bool twice = false);

    // The checks.
    QString checkAfterEvent(const Before& before);
    QString checkShot(const Before& before, const Shot& shot);
    QString checkState();
    QString tickAndCheck();
    QString withContext(const QString& failure) const;
    // Keeps the latest events for the report of a failure.
    void remember(const QString& what)
    {
        recent_.push_back(what);
        if (recent_.size() > 16)
            recent_.pop_front();
    }

    ProgramFixture& fixture_;
    ui::Form1& f_;
    std::mt19937_64 rng_;
    reliability::TickHold hold_;
    reliability::ModalWatch modalWatch_;
    Texts texts_;

    long events_ = 0;
    long ticks_ = 0;
    long gamesEnded_ = 0;
    long hits_ = 0;
    long startClicks_ = 0;
    std::deque<QString> recent_;

    std::optional<Shot> shot_;
    bool dragging_ = false;
    bool thumbDrag_ = false;
    int dragMovesLeft_ = 0;
    Qt::MouseButton dragButton_ = Qt::LeftButton;
    QPoint dragAt_;
    int dragStartValue_ = 0;
};

QString Monkey::step()
{
    passTime(float(below(40)) / 1000.0f);
    shot_.reset();
    const Before before = snapshot();
    const QString what = dragging_ ? continueDrag() : randomEvent();
    ++events_;
    remember(QStringLiteral("#%1 %2").arg(events_).arg(what));

    QString failure = checkAfterEvent(before);
    if (failure.isEmpty() && f_.Timer1.isEnabled() && below(EventsPerTick) == 0)
        failure = tickAndCheck();
    return failure.isEmpty() ? failure : withContext(failure);
}

Monkey::Before Monkey::snapshot() const
{
    Before before{f_.state().Punkte, f_.Text5->text(), f_.HScroll1->value(), {}, startClicks_};
    for (std::size_t i = 0; i < 5; ++i)
        before.options[i] = options()[i]->isChecked();
    return before;
}

void Monkey::passTime(float seconds)
{
    float& now = fixture_.clock.now;
    now += seconds;
    if (now >= SecondsPerDay)
        now -= SecondsPerDay;
}

// --- Events ----------------------------------------------------------------

QString Monkey::randomEvent()
{
    using Event = QString (Monkey::*)();
    struct Choice {
        int weight;
        Event event;
    };
    // A player rarely restarts a running game, but starts a new one soon
    // after the last has ended.
    const bool running = f_.Timer1.isEnabled();
    const Choice choices[] = {
        {220, &Monkey::clickField},       {140, &Monkey::clickAnywhere},    {running ? 5 : 100, &Monkey::clickStart},
        {20, &Monkey::clickErklaerung},   {30, &Monkey::clickZurueck},      {80, &Monkey::clickSlider},
        {40, &Monkey::beginDrag},         {40, &Monkey::clickOption},       {140, &Monkey::typeIntoScoreBox},
        {40, &Monkey::replaceScoreText},  {120, &Monkey::pressKeyOnFocus},  {30, &Monkey::closeSecondaryWindow},
        {50, &Monkey::runEventLoop},
    };
    int total = 0;
    for (const Choice& choice : choices)
        total += choice.weight;
    int pick = below(total);
    for (const Choice& choice : choices) {
        if (pick < choice.weight)
            return (this->*choice.event)();
        pick -= choice.weight;
    }
    return runEventLoop();
}

QString Monkey::click(QWidget* widget, Qt::MouseButton button, QPoint at, bool twice)
{
    if (at.isNull())
        at = QPoint(1, 0);   // the test library reads (0, 0) as "the middle"
    if (widget == f_.Picture1) {
        const QPoint field = at - f_.Picture1->contentsRect().topLeft();
        const QImage& image = f_.Picture1->image();
        if (image.rect().contains(field)) {
            const game::GameState& state = f_.state();
            shot_ = Shot{field.x(), field.y(), image.pixel(field) != White, state.xx.toDouble() + 30.0,
                         state.yy.toDouble() + 30.0, twice};
        }
    }
    QTest::mouseClick(widget, button, Qt::NoModifier, at);
    if (twice) {
        // The second press of a double click reaches a widget as a
        // double-click event.
        QTest::mouseDClick(widget, button, Qt::NoModifier, at);
        QTest::mouseRelease(widget, button, Qt::NoModifier, at);
    }
    return QStringLiteral("%1 %2click on %3 at (%4, %5)")
        .arg(buttonName(button), twice ? QStringLiteral("double ") : QString(), widgetName(widget))
        .arg(at.x())
        .arg(at.y());
}

QString Monkey::clickField()
{
    const QPoint origin = f_.Picture1->contentsRect().topLeft();
    QPoint at;
    if (!f_.state().xx.isEmpty() && chance(60)) {
        // Near the current target, often on it.
        at = origin + fixture_.targetCentre() + QPoint(below(69) - 34, below(69) - 34);
    } else {
        at = pointIn(f_.Picture1->rect());   // the border included
    }
    return click(f_.Picture1, anyButton(), at, chance(10));
}

QString Monkey::clickAnywhere()
{
    app::Program& program = fixture_.program();
    std::vector<QWidget*> windows{&f_, &f_, &f_};
    if (program.form2Exists())
        windows.push_back(&program.Form2());   // also while hidden
    if (program.form3Exists())
        windows.push_back(&program.Form3());
    QWidget* window = windows[std::size_t(below(int(windows.size())))];
    for (;;) {
        const QPoint at = pointIn(window->rect());
        QWidget* target = window->childAt(at);
        if (target == f_.Command2)
            continue;   // "Ende" is pressed once, at the end of the storm
        if (!target)
            target = window;
        return click(target, anyButton(), target->mapFrom(window, at), chance(10));
    }
}

QString Monkey::clickStart() { return click(f_.Command1, mostlyLeft(), pointIn(f_.Command1->rect()), chance(10)); }

QString Monkey::clickErklaerung() { return click(f_.Command3, mostlyLeft(), pointIn(f_.Command3->rect())); }

QString Monkey::clickZurueck()
{
    app::Program& program = fixture_.program();
    std::vector<QPushButton*> buttons;
    if (program.form2Exists())
        buttons.push_back(program.Form2().Command1);
    if (program.form3Exists())
        buttons.push_back(program.Form3().Command1);
    if (buttons.empty())
        return clickAnywhere();
    QPushButton* zurueck = buttons[std::size_t(below(int(buttons.size())))];
    return click(zurueck, mostlyLeft(), pointIn(zurueck->rect()));
}

QString Monkey::clickSlider()
{
    static constexpr QStyle::SubControl parts[] = {QStyle::SC_ScrollBarSubLine, QStyle::SC_ScrollBarAddLine,
                                                   QStyle::SC_ScrollBarSubPage, QStyle::SC_ScrollBarAddPage,
                                                   QStyle::SC_ScrollBarSlider};
    QRect area = scrollBarPart(f_.HScroll1, parts[below(5)]);
    if (!area.isValid() || chance(20))
        area = f_.HScroll1->rect();
    return click(f_.HScroll1, mostlyLeft(), pointIn(area), chance(10));
}

QString Monkey::beginDrag()
{
    const QRect thumb = scrollBarPart(f_.HScroll1, QStyle::SC_ScrollBarSlider);
    dragAt_ = pointIn(thumb.isValid() && chance(70) ? thumb : f_.HScroll1->rect());
    if (dragAt_.isNull())
        dragAt_ = QPoint(1, 0);
    dragButton_ = chance(85) ? Qt::LeftButton : anyButton();
    dragMovesLeft_ = 1 + below(6);
    // A left press on an arrow or the track moves the slider at once and
    // again whenever the pointer comes back over it, as a held button
    // repeats. The thumb, dragged with the left or the middle button, must
    // not move the value until it is released.
    thumbDrag_ = dragButton_ != Qt::LeftButton || thumb.contains(dragAt_);
    QTest::mousePress(f_.HScroll1, dragButton_, Qt::NoModifier, dragAt_);
    dragStartValue_ = f_.HScroll1->value();
    dragging_ = true;
    return QStringLiteral("%1 press on the slider at (%2, %3)")
        .arg(buttonName(dragButton_))
        .arg(dragAt_.x())
        .arg(dragAt_.y());
}

QString Monkey::continueDrag()
{
    const QRect reach = f_.HScroll1->rect().adjusted(-40, -20, 40, 20);
    if (dragMovesLeft_ > 0) {
        --dragMovesLeft_;
        dragAt_ = pointIn(reach);
        if (dragAt_.isNull())
            dragAt_ = QPoint(1, 0);
        QTest::mouseMove(f_.HScroll1, dragAt_);
        return QStringLiteral("drag on the slider to (%1, %2)").arg(dragAt_.x()).arg(dragAt_.y());
    }
    dragging_ = false;
    QTest::mouseRelease(f_.HScroll1, dragButton_, Qt::NoModifier, dragAt_);
    return QStringLiteral("%1 release on the slider at (%2, %3)")
        .arg(buttonName(dragButton_))
        .arg(dragAt_.x())
        .arg(dragAt_.y());
}

QString Monkey::clickOption()
{
    const int index = below(5);
    options()[std::size_t(index)]->click();
    return QStringLiteral("click() on hidden Option%1").arg(index + 1);
}

QString Monkey::typeIntoScoreBox()
{
    QLineEdit* box = f_.Text5;
    switch (below(3)) {
    case 0: {
        const QString text = texts_.typed[below(int(texts_.typed.size()))];
        QTest::keyClicks(box, text);
        return QStringLiteral("typed \"%1\" into the score box").arg(text);
    }
    case 1: {
        const QString text = texts_.typedAsKeys[below(int(texts_.typedAsKeys.size()))];
        typeAsKeys(box, text);
        QString shown;
        for (const QChar c : text)
            shown += c.isPrint() ? QString(c) : QStringLiteral("\\x%1").arg(uint(c.unicode()), 2, 16, QLatin1Char('0'));
        return QStringLiteral("typed \"%1\" into the score box").arg(shown);
    }
    default: {
        static constexpr struct {
            Qt::Key key;
            int modifiers;
        } keys[] = {
            {Qt::Key_Backspace, Qt::NoModifier}, {Qt::Key_Delete, Qt::NoModifier}, {Qt::Key_Home, Qt::NoModifier},
            {Qt::Key_End, Qt::NoModifier},       {Qt::Key_Left, Qt::NoModifier},   {Qt::Key_A, Qt::ControlModifier},
            {Qt::Key_Z, Qt::ControlModifier},    {Qt::Key_V, Qt::ControlModifier}, {Qt::Key_X, Qt::ControlModifier},
            {Qt::Key_C, Qt::ControlModifier},    {Qt::Key_Z, int(Qt::ControlModifier) | int(Qt::ShiftModifier)},
        };
        const auto& [key, modifiers] = keys[below(int(std::size(keys)))];
        QTest::keyClick(box, key, Qt::KeyboardModifiers(modifiers));
        return QStringLiteral("editing key %1 (modifiers %2) in the score box").arg(key).arg(int(modifiers));
    }
    }
}

QString Monkey::replaceScoreText()
{
    QLineEdit* box = f_.Text5;
    const QString text = texts_.pasted[below(int(texts_.pasted.size()))];
    switch (below(3)) {
    case 0:
        box->setText(text);
        return QStringLiteral("setText(\"%1\") on the score box").arg(shortText(text));
    case 1:
        QApplication::clipboard()->setText(text);
        if (chance(50))
            box->selectAll();
        box->paste();
        return QStringLiteral("paste() of \"%1\" into the score box").arg(shortText(text));
    default:
        QApplication::clipboard()->setText(text);
        QTest::keyClick(box, Qt::Key_V, Qt::ControlModifier);
        return QStringLiteral("Ctrl+V of \"%1\" into the score box").arg(shortText(text));
    }
}

QString Monkey::pressKeyOnFocus()
{
    static constexpr Qt::Key keys[] = {Qt::Key_Tab,   Qt::Key_Backtab, Qt::Key_Return, Qt::Key_Enter,
                                       Qt::Key_Space, Qt::Key_Left,    Qt::Key_Right,  Qt::Key_Up,
                                       Qt::Key_Down,  Qt::Key_Home,    Qt::Key_End,    Qt::Key_PageUp};
    QWidget* target = QApplication::focusWidget();
    if (!target)
        target = f_.focusWidget();
    if (!target)
        target = &f_;
    Qt::Key key = keys[below(int(std::size(keys)))];
    // Space or Enter on a focused "Ende" would end the program.
    if (target == f_.Command2 && (key == Qt::Key_Space || key == Qt::Key_Return || key == Qt::Key_Enter))
        key = Qt::Key_Tab;
    QTest::keyClick(target, key);
    return QStringLiteral("key %1 on the focused %2").arg(QKeySequence(key).toString(), widgetName(target));
}

QString Monkey::closeSecondaryWindow()
{
    app::Program& program = fixture_.program();
    const bool result = program.form2Exists() && (!program.form3Exists() || chance(50));
    if (result) {
        program.Form2().close();
        return QStringLiteral("title-bar close of the result window");
    }
    if (program.form3Exists()) {
        program.Form3().close();
        return QStringLiteral("title-bar close of the explanation window");
    }
    return runEventLoop();
}

QString Monkey::runEventLoop()
{
    QCoreApplication::processEvents();
    return QStringLiteral("the event loop ran");
}

// --- Checks ----------------------------------------------------------------

QString Monkey::checkAfterEvent(const Before& before)
{
    if (QString failure = checkState(); !failure.isEmpty())
        return failure;
    const game::GameState& state = f_.state();

    if (f_.HScroll1->value() != before.slider) {
        const int expected = f_.HScroll1->maximum() + f_.HScroll1->minimum() - f_.HScroll1->value();
        if (f_.Timer1.interval() != expected)
            return QStringLiteral("the slider moved to %1 but the pace is %2 ms instead of %3 ms")
                .arg(f_.HScroll1->value())
                .arg(f_.Timer1.interval())
                .arg(expected);
    }
    if (dragging_ && thumbDrag_ && f_.HScroll1->value() != dragStartValue_)
        return QStringLiteral("the slider's value changed to %1 before the drag was released")
            .arg(f_.HScroll1->value());

    // The levels set their own pace when chosen.
    static constexpr int levelPace[] = {800, 600, 400};
    for (std::size_t i = 0; i < 3; ++i) {
        if (!before.options[i] && options()[i]->isChecked() && f_.Timer1.interval() != levelPace[i])
            return QStringLiteral("Option%1 was chosen but the pace is %2 ms").arg(i + 1).arg(f_.Timer1.interval());
    }

    if (startClicks_ != before.startClicks) {
        if (state.Anzahl != 1 || !f_.Timer1.isEnabled() || state.Punkte.toDouble() != 0.0
            || f_.Text5->text() != QString::fromStdString(state.Punkte.text()))
            return QStringLiteral("after Start: Anzahl %1, timer %2, Punkte %3, score box \"%4\"")
                .arg(state.Anzahl)
                .arg(f_.Timer1.isEnabled())
                .arg(state.Punkte.toDouble())
                .arg(shortText(f_.Text5->text()));
        return {};
    }
    if (shot_)
        return checkShot(before, *shot_);
    if (!sameValue(state.Punkte, before.punkte))
        return QStringLiteral("Punkte changed from %1 to %2 without a shot or Start")
            .arg(before.punkte.toDouble())
            .arg(state.Punkte.toDouble());
    return {};
}

QString Monkey::checkShot(const Before& before, const Shot& shot)
{
    const game::GameState& state = f_.state();
    if (!state.Startzeit.isEmpty() && !(state.Reaktionszeit >= 0.0f && state.Reaktionszeit < SecondsPerDay))
        return QStringLiteral("reaction time %1 s is outside one day").arg(double(state.Reaktionszeit));
    if (!shot.onTarget) {
        if (!sameValue(state.Punkte, before.punkte) || f_.Text5->text() != before.text5)
            return QStringLiteral("a click on white at (%1, %2) changed the score from %3 to %4")
                .arg(shot.x)
                .arg(shot.y)
                .arg(before.punkte.toDouble())
                .arg(state.Punkte.toDouble());
        return {};
    }
    ++hits_;
    const double distance = std::hypot(shot.centreX - shot.x, shot.centreY - shot.y);
    double expected = 31.0 - std::floor(distance);
    if (f_.Option4->isChecked())
        expected += std::floor((1.0f - state.Reaktionszeit) * 10.0f);
    const double gained = state.Punkte.toDouble() - before.punkte.toDouble();
    // The second press of a double click arrives as a double-click event;
    // these checks accept it as a shot of its own or not at all.
    if (gained != expected && !(shot.doubleClick && gained == 2 * expected))
        return QStringLiteral("a hit at (%1, %2), %3 px from the middle, scored %4 instead of %5")
            .arg(shot.x)
            .arg(shot.y)
            .arg(distance)
            .arg(gained)
            .arg(expected);
    const QString shown = QString::fromStdString(state.Punkte.text());
    if (f_.Text5->text() != shown)
        return QStringLiteral("after a hit the score box shows \"%1\" instead of \"%2\"")
            .arg(shortText(f_.Text5->text()), shown);
    return {};
}

QString Monkey::checkState()
{
    if (!modalWatch_.seen().isEmpty())
        return QStringLiteral("a message box opened: %1").arg(modalWatch_.seen().join(QStringLiteral(" | ")));
    if (!fixture_.exitCodes.empty())
        return QStringLiteral("the program ended with code %1").arg(fixture_.exitCodes.front());
    if (hold_.strayTicks() != 0)
        return QStringLiteral("a tick arrived that the test did not drive");

    const game::GameState& state = f_.state();
    if (f_.Timer1.isEnabled() && (state.Anzahl < 1 || state.Anzahl > 10))
        return QStringLiteral("the timer runs with Anzahl %1").arg(state.Anzahl);
    if (state.Anzahl < 0 || state.Anzahl > 11)
        return QStringLiteral("Anzahl is %1").arg(state.Anzahl);

    const QImage& image = f_.Picture1->image();
    const struct {
        const rt::Variant& value;
        int limit;
        const char* name;
    } offsets[] = {{state.xx, image.width() - TargetSpan, "xx"}, {state.yy, image.height() - TargetSpan, "yy"}};
    for (const auto& offset : offsets) {
        const double v = offset.value.toDouble();
        if (!offset.value.isEmpty() && (v < 0 || v > offset.limit || v != std::floor(v)))
            return QStringLiteral("%1 is %2, outside 0..%3").arg(QLatin1String(offset.name)).arg(v).arg(offset.limit);
    }

    if (f_.Text6->isVisibleTo(&f_) != f_.Option4->isChecked())
        return QStringLiteral("the time points box is %1 while \"Ja\" is %2")
            .arg(f_.Text6->isVisibleTo(&f_) ? "shown" : "hidden", f_.Option4->isChecked() ? "chosen" : "not chosen");
    const int levels = int(f_.Option1->isChecked()) + int(f_.Option2->isChecked()) + int(f_.Option3->isChecked());
    const int timeScoring = int(f_.Option4->isChecked()) + int(f_.Option5->isChecked());
    if (levels != 1 || timeScoring != 1)
        return QStringLiteral("%1 levels and %2 time scoring choices are chosen").arg(levels).arg(timeScoring);
    return {};
}

QString Monkey::tickAndCheck()
{
    passTime(float(f_.Timer1.interval()) / 1000.0f);
    const bool edge = chance(5);
    for (int i = 0; i < 2; ++i)
        fixture_.random.queued.push_back(edge ? (chance(50) ? 0.0f : std::nextafter(1.0f, 0.0f)) : unit());
    const game::GameState& state = f_.state();
    const std::int16_t countBefore = state.Anzahl;
    const rt::Variant punkteBefore = state.Punkte;
    const QString boxBefore = f_.Text5->text();

    hold_.tick();
    ++ticks_;
    remember(QStringLiteral("   tick %1 -> Anzahl %2, target at (%3, %4)")
                 .arg(ticks_)
                 .arg(state.Anzahl)
                 .arg(state.xx.toDouble())
                 .arg(state.yy.toDouble()));

    if (QString failure = checkState(); !failure.isEmpty())
        return failure;
    if (state.Anzahl != countBefore + 1)
        return QStringLiteral("a tick took Anzahl from %1 to %2").arg(countBefore).arg(state.Anzahl);
    if (f_.Text5->text() != boxBefore || !sameValue(state.Punkte, punkteBefore))
        return QStringLiteral("a tick changed the score");
    if (state.Startzeit.toSingle() != fixture_.clock.now)
        return QStringLiteral("Startzeit is %1 after a tick at %2")
            .arg(state.Startzeit.toDouble())
            .arg(double(fixture_.clock.now));

    const QImage& image = f_.Picture1->image();
    if (state.Anzahl <= 10) {
        if (!f_.Timer1.isEnabled())
            return QStringLiteral("the timer stopped after tick %1 of a game").arg(state.Anzahl);
        const QPoint middle(int(state.xx.toDouble()) + 30, int(state.yy.toDouble()) + 30);
        if (image.pixel(middle) != LightYellow)
            return QStringLiteral("the new target's middle (%1, %2) is not light yellow")
                .arg(middle.x())
                .arg(middle.y());
    } else {
        ++gamesEnded_;
        if (f_.Timer1.isEnabled())
            return QStringLiteral("the timer still runs after the tenth tick");
        if (!testing_support::allWhite(f_.Picture1->canvas()))
            return QStringLiteral("the field is not all white after the tenth tick");
        app::Program& program = fixture_.program();
        if (!program.form2Exists() || !program.Form2().isVisible())
            return QStringLiteral("the result window is not shown after the tenth tick");
        const QString sentence = QStringLiteral("Sie haben %1 Punkte erreicht!").arg(scoreText(f_.Endstand()));
        if (program.Form2().Label1->text() != sentence)
            return QStringLiteral("the result says \"%1\" instead of \"%2\"")
                .arg(program.Form2().Label1->text(), sentence);
        // A score box the player left alone gives the running score.
        const double running = state.Punkte.toDouble();
        if (boxBefore == QString::fromStdString(state.Punkte.text()) && running >= -32768 && running <= 32767
            && f_.Endstand() != running)
            return QStringLiteral("the final score is %1, the running score %2").arg(f_.Endstand()).arg(running);
    }
    // The event loop paints between ticks. Not in the middle of a drag: a
    // held arrow would start repeating by the wall clock.
    if (!dragging_)
        QCoreApplication::processEvents();
    return checkState();
}

QString Monkey::withContext(const QString& failure) const
{
    QString text = QStringLiteral("%1\nafter event %2 (replay with RINGTAFEL_MONKEY_SEED as printed above); "
                                  "the last events were:")
                       .arg(failure)
                       .arg(events_);
    for (const QString& line : recent_)
        text += QStringLiteral("\n  ") + line;
    return text;
}

} // namespace

class MonkeyTest : public QObject {
    Q_OBJECT
private slots:
    void aSeededStormOfRandomInputKeepsEveryGameRuleAndEndsOnlyByEnde();
};

void MonkeyTest::aSeededStormOfRandomInputKeepsEveryGameRuleAndEndsOnlyByEnde()
{
    const std::uint64_t seed = monkeySeed();
    const long wanted = monkeyEvents();
    qInfo("monkey seed: %llu (set RINGTAFEL_MONKEY_SEED=%llu to replay)", qulonglong(seed), qulonglong(seed));

    QElapsedTimer runTime;
    runTime.start();
    ProgramFixture fixture;
    ui::Form1& f = fixture.form1();
    QVERIFY(QTest::qWaitForWindowExposed(&f));
    {
        Monkey monkey(fixture, seed);
        while (monkey.events() < wanted) {
            const QString failure = monkey.step();
            if (!failure.isEmpty())
                QFAIL(qPrintable(failure));
        }
        qInfo("monkey: %ld events, %ld ticks, %ld games ended, %ld hits, %ld starts, "
              "%d real timer events held back",
              monkey.events(), monkey.ticks(), monkey.gamesEnded(), monkey.hits(), monkey.starts(),
              monkey.heldBackTimerEvents());
        // A storm that never finished a game or hit a target proved little.
        QVERIFY(monkey.gamesEnded() > 0);
        QVERIFY(monkey.hits() > 0);
    }

    QVERIFY(fixture.exitCodes.empty());
    QTest::mouseClick(f.Command2, Qt::LeftButton);
    QCOMPARE(fixture.exitCodes, std::vector<int>{0});
    QVERIFY(!f.Timer1.isEnabled());
    QVERIFY(!f.isVisible());
    qInfo("monkey run time: %.1f s", double(runTime.elapsed()) / 1000.0);
}

RINGTAFEL_TEST_MAIN(MonkeyTest)
#include "MonkeyTest.moc"
