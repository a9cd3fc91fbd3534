// SPDX-License-Identifier: MIT
#include "Benchmarks.h"
#include "ReferenceLayout.h"
#include "Stats.h"
#include "XSession.h"

#include "ui/main/Form1Layout.h"
#include "ui/main/TargetFieldView.h"

#include <QCoreApplication>
#include <QProcess>
#include <QProcessEnvironment>

#include <chrono>
#include <cstdio>
#include <thread>

namespace bench {

namespace {

constexpr std::uint32_t WhitePixel = 0xffffffu;
// Time for a program to take in the pointer's arrival before it is pressed.
constexpr auto PointerSettles = std::chrono::milliseconds(30);

constexpr const char* ResultTitle = "Ringtafel-Auswertung";

// Rest between two reads of the whole field.
constexpr auto FieldReadRest = std::chrono::microseconds(500);

void pause(std::chrono::milliseconds time) { std::this_thread::sleep_for(time); }

double msSince(std::int64_t startNs) { return double(monotonicNs() - startNs) / 1e6; }

} // namespace

QProcessEnvironment onXServer(const QString& display)
{
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("DISPLAY"), display);
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
    // No session bus: without one a program would start its own D-Bus daemon
    // for the display, outliving the benchmark and stalling its first steps.
    environment.insert(QStringLiteral("DBUS_SESSION_BUS_ADDRESS"), QStringLiteral("unix:path=/dev/null/no-bus"));
    return environment;
}

namespace {

struct Press {
    std::optional<double> shownMs;   // from the press to the changed pixels
    bool late = false;               // the target was gone before the press was handled
};

// A program of the benchmark on the benchmark's server, ended with this object.
class ScreenProgram {
public:
    ScreenProgram(const QString& name, const QStringList& arguments, const QString& display)
    {
        process_.setProcessEnvironment(onXServer(display));
        process_.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        process_.start(QCoreApplication::applicationDirPath() + QLatin1Char('/') + name, arguments);
    }
    ~ScreenProgram()
    {
        if (process_.state() != QProcess::NotRunning) {
            process_.terminate();
            if (!process_.waitForFinished(5000)) {
                process_.kill();
                process_.waitForFinished(5000);
            }
        }
    }
    ScreenProgram(const ScreenProgram&) = delete;
    ScreenProgram& operator=(const ScreenProgram&) = delete;

private:
    QProcess process_;
};

// A finished target in a picture: exactly one ring disc's worth of coloured
// pixels, around its centre. Returns the centre, picture-relative.
std::optional<QPoint> findTarget(const Pixels& picture)
{
    int left = picture.width, right = -1, top = picture.height, bottom = -1;
    for (int y = 0; y < picture.height; ++y)
        for (int x = 0; x < picture.width; ++x)
            if (picture.at(x, y) != WhitePixel) {
                left = std::min(left, x);
                right = std::max(right, x);
                top = std::min(top, y);
                bottom = std::max(bottom, y);
            }
    // The outer ring of radius 30, drawn 3 pixels wide, spans 61 to 65 pixels;
    // anything else is no target or more than one.
    const auto isDiscSpan = [](int from, int to) { return to - from + 1 >= 59 && to - from + 1 <= 67; };
    if (right < 0 || !isDiscSpan(left, right) || !isDiscSpan(top, bottom))
        return std::nullopt;
    return QPoint((left + right) / 2, (top + bottom) / 2);
}

bool allWhite(const Pixels& picture)
{
    return !picture.words.empty()
           && std::all_of(picture.words.begin(), picture.words.end(), [](std::uint32_t p) { return p == WhitePixel; });
}

// Where the game's and the reference's parts are on the screen.
struct GameScreen {
    QRect field;      // the target field inside its border
    QRect scoreBox;
    QPoint start;     // centre of "Start"
    QPoint background;   // a spot of bare window background

    explicit GameScreen(QPoint origin)
    {
        using namespace ui::form1;
        const int border = game::FieldBorderWidth;
        field = ui::toPixels(Picture1).adjusted(border, border, -border, -border).translated(origin);
        scoreBox = ui::toPixels(Text5).translated(origin);
        start = ui::toPixels(Command1).center() + origin;
        background = origin + QPoint(20, 20);
    }
};

class Session {
public:
    Session(XClient& x, GameScreen game, QPoint referenceOrigin) : x_(x), game_(game), referenceOrigin_(referenceOrigin) {}

    void click(QPoint at)
    {
        x_.movePointer(at);
        pause(PointerSettles);
        x_.pressButton();
        x_.releaseButton();
        x_.sync();
    }

    // Hides the result window of the last game by a click on the main
    // window's background, and waits for a clear field.
    bool clearScreen()
    {
        click(game_.background);
        return waitFor([this] { return allWhite(x_.grab(game_.field)); }, 3000);
    }

    // The game's last tick ends it and shows the result window.
    bool waitForResult(int timeoutMs) { return x_.findWindow(ResultTitle, timeoutMs).has_value(); }
    bool resultShown() { return waitForResult(0); }

    // Clicks "Start"; returns the monotonic time the click was complete.
    std::int64_t clickStart()
    {
        x_.movePointer(game_.start);
        pause(PointerSettles);
        x_.pressButton();
        const std::int64_t released = monotonicNs();   // "Start" acts on the release
        x_.releaseButton();
        x_.sync();
        return released;
    }

    // Watches the field until a target appears that is not at `previous`.
    // Returns its centre (field-relative) and the time it was first seen.
    // Reads are spaced by a short rest, so that the benchmark and the server
    // leave the game its share of the processors; readPeriodMs gets the time
    // from one read to the next, the resolution of the time seen.
    std::optional<std::pair<QPoint, std::int64_t>> nextTarget(std::optional<QPoint> previous, int timeoutMs,
                                                              std::vector<double>* readPeriodMs = nullptr)
    {
        const std::int64_t deadline = monotonicNs() + std::int64_t(timeoutMs) * 1'000'000;
        std::int64_t lastRead = 0;
        while (monotonicNs() < deadline) {
            const Pixels field = x_.grab(game_.field);
            const std::int64_t seen = monotonicNs();
            if (readPeriodMs && lastRead != 0)
                readPeriodMs->push_back(double(seen - lastRead) / 1e6);
            lastRead = seen;
            const std::optional<QPoint> target = findTarget(field);
            if (target && target != previous)
                return std::pair{*target, seen};
            if (!target && resultShown())
                return std::nullopt;   // the game is over
            std::this_thread::sleep_for(FieldReadRest);
        }
        return std::nullopt;
    }

    // Presses at a point and times until the box's pixels change. The pixel
    // pressed is watched too: if it changes first, a tick has replaced the
    // target, and if the box then stays as it was, the press came too late to
    // hit and tells nothing of the latency.
    Press pressToPixels(QPoint at, const QRect& box, std::vector<double>& readMs)
    {
        x_.movePointer(at);
        pause(PointerSettles);
        const QRect spot(at, QSize(1, 1));
        const Pixels before = x_.grab(box);
        const Pixels spotBefore = x_.grab(spot);
        const std::int64_t pressed = monotonicNs();
        x_.pressButton();
        Press press;
        std::int64_t spotChanged = 0;
        while (!press.shownMs && msSince(pressed) < 2000) {
            const std::int64_t readStart = monotonicNs();
            const Pixels now = x_.grab(box);
            readMs.push_back(msSince(readStart));
            if (now != before)
                press.shownMs = msSince(pressed);
            else if (spotChanged == 0 && x_.grab(spot) != spotBefore)
                spotChanged = monotonicNs();
            else if (spotChanged != 0 && msSince(spotChanged) > 100)
                break;
        }
        press.late = !press.shownMs && spotChanged != 0;
        x_.releaseButton();
        x_.sync();
        return press;
    }

    std::optional<QPoint> referenceTarget()
    {
        const std::optional<QPoint> centre =
            findTarget(x_.grab(reference::Picture.translated(referenceOrigin_)));
        if (!centre)
            return std::nullopt;
        return *centre + reference::Picture.topLeft() + referenceOrigin_;
    }
    QRect referenceBox() const { return reference::CountBox.translated(referenceOrigin_); }
    const GameScreen& game() const { return game_; }

private:
    template <typename Condition>
    static bool waitFor(Condition condition, int timeoutMs)
    {
        const std::int64_t deadline = monotonicNs() + std::int64_t(timeoutMs) * 1'000'000;
        while (!condition()) {
            if (monotonicNs() > deadline)
                return false;
            pause(std::chrono::milliseconds(5));
        }
        return true;
    }

    XClient& x_;
    GameScreen game_;
    QPoint referenceOrigin_;
};

constexpr int TargetsPerGame = 9;
// Presses on each target by each program; the second comes as a double click.
constexpr int PressesPerTarget = 2;
// The first press on a target, after it appeared; about the quickest a
// player reacts.
constexpr int ReactionMs = 120;

// Games at the start-up pace; each target is pressed in its centre, turn
// about with the reference's target, so that both share whatever load the
// machine has at that moment.
PressFigures measurePresses(Session& session, int games)
{
    PressFigures figures;
    figures.gamesAsked = games;
    constexpr int interval = 410;
    const std::optional<QPoint> referenceTarget = session.referenceTarget();
    std::vector<double> readMs;
    // Games until the asked number have had every target pressed; a machine
    // too busy to keep up may miss a target, so a few more are allowed.
    int complete = 0;
    int turn = 0;   // game and reference take turns at going first, all through
    for (int gameNumber = 0; complete < games && gameNumber < 2 * games; ++gameNumber) {
        if (!session.clearScreen()) {
            std::fprintf(stderr, "press game %d: the field did not clear\n", gameNumber + 1);
            continue;
        }
        session.clickStart();
        std::optional<QPoint> previous;
        // Until the game is over; a machine too busy to keep up may miss a target.
        int pressedTargets = 0;   // with at least one press shown
        for (int target = 0;; ++target) {
            const auto next = session.nextTarget(previous, 3 * interval + 2000);
            if (!next || !referenceTarget) {
                if (target < TargetsPerGame)
                    std::fprintf(stderr, "press game %d: %d targets seen\n", gameNumber + 1, target);
                figures.targetsSeen += target;
                ++figures.games;
                complete += target == TargetsPerGame && pressedTargets == TargetsPerGame ? 1 : 0;
                break;
            }
            previous = next->first;
            const QPoint gameTarget = next->first + session.game().field.topLeft();
            // Several presses on each target, every one of which scores, each
            // pair well before the next tick. No player presses sooner after a
            // target appears than the first press here.
            pause(std::chrono::milliseconds(ReactionMs));
            for (int pair = 0; pair < PressesPerTarget && msSince(next->second) < interval - 150; ++pair) {
                const auto pressGame = [&] {
                    return session.pressToPixels(gameTarget, session.game().scoreBox, readMs);
                };
                const auto pressReference = [&] {
                    return session.pressToPixels(*referenceTarget, session.referenceBox(), readMs);
                };
                Press game, reference;
                if (++turn % 2 == 0) {
                    game = pressGame();
                    reference = pressReference();
                } else {
                    reference = pressReference();
                    game = pressGame();
                }
                if (game.late || (!game.shownMs && session.resultShown())) {
                    ++figures.late;
                    break;
                }
                if (!game.shownMs || !reference.shownMs) {
                    std::fprintf(stderr, "press game %d, target %d: %s press not shown\n", gameNumber + 1,
                                 target + 1, game.shownMs ? "reference" : "game");
                    ++figures.failures;
                    break;
                }
                figures.gameMs.push_back(*game.shownMs);
                figures.referenceMs.push_back(*reference.shownMs);
                pressedTargets += pair == 0 ? 1 : 0;
            }
        }
        session.waitForResult(3 * interval + 2000);
    }
    figures.completeGames = complete;
    figures.readMs = median(readMs);
    return figures;
}

// Games at one pace, watching the field only.
ScreenPaceFigures measureScreenPace(Session& session, int intervalMs, int games)
{
    ScreenPaceFigures figures;
    figures.intervalMs = intervalMs;
    figures.games = games;
    std::vector<double> readPeriodMs;
    for (int game = 0; game < games; ++game) {
        if (!session.clearScreen()) {
            std::fprintf(stderr, "%d ms game %d: the field did not clear\n", intervalMs, game + 1);
            ++figures.failures;
            continue;
        }
        const std::int64_t started = session.clickStart();
        std::optional<QPoint> previous;
        std::int64_t previousSeen = 0;
        int seen = 0;
        for (; seen < TargetsPerGame; ++seen) {
            const auto next = session.nextTarget(previous, 3 * intervalMs + 2000, &readPeriodMs);
            if (!next)
                break;
            if (seen == 0)
                figures.startToFirstMs.push_back(double(next->second - started) / 1e6);
            else
                figures.spacingsMs.push_back(double(next->second - previousSeen) / 1e6);
            previous = next->first;
            previousSeen = next->second;
        }
        if (seen < TargetsPerGame) {
            std::fprintf(stderr, "%d ms game %d: target %d not seen\n", intervalMs, game + 1, seen + 1);
            ++figures.failures;
        }
        session.waitForResult(3 * intervalMs + 2000);
    }
    figures.readPeriodMs = median(readPeriodMs);
    return figures;
}

// Waits until the window shows its score box painted: more than one colour.
bool waitForPaint(XClient& x, const QRect& box)
{
    const std::int64_t deadline = monotonicNs() + 10'000'000'000;
    while (monotonicNs() < deadline) {
        const Pixels pixels = x.grab(box);
        if (!pixels.words.empty()
            && std::any_of(pixels.words.begin(), pixels.words.end(),
                           [&](std::uint32_t p) { return p != pixels.words.front(); })) {
            pause(std::chrono::milliseconds(200));   // the rest of the first frame
            return true;
        }
        pause(std::chrono::milliseconds(10));
    }
    return false;
}

} // namespace

ScreenFigures measureOnScreen(const QString& display, int pressGames,
                              const std::vector<std::pair<int, int>>& pacesAndGames)
{
    ScreenFigures figures;
    XClient x(display);
    if (!x.connected()) {
        figures.problem = QStringLiteral("no connection to Xvfb");
        return figures;
    }
    const ScreenProgram reference(QStringLiteral("bench_reference_window"), {}, display);
    const std::optional<QPoint> referenceOrigin = x.findWindow(reference::Title, 10000);

    const auto playAt = [&](int intervalMs, const auto& measure) {
        // The game starts at the start-up pace; other paces are set by its slider.
        const QStringList arguments = intervalMs == 410 ? QStringList{} : QStringList{QString::number(intervalMs)};
        const ScreenProgram game(QStringLiteral("bench_game_on_screen"), arguments, display);
        const std::optional<QPoint> origin = x.findWindow(ui::form1::Caption, 10000);
        if (!origin || !referenceOrigin || !waitForPaint(x, GameScreen(*origin).scoreBox)
            || !waitForPaint(x, reference::CountBox.translated(*referenceOrigin))) {
            figures.problem = QStringLiteral("the windows did not appear on Xvfb");
            return;
        }
        Session session(x, GameScreen(*origin), *referenceOrigin);
        measure(session);
    };
    playAt(410, [&](Session& session) { figures.press = measurePresses(session, pressGames); });
    for (const auto& [interval, games] : pacesAndGames)
        playAt(interval, [&](Session& session) { figures.paces.push_back(measureScreenPace(session, interval, games)); });
    return figures;
}

} // namespace bench
