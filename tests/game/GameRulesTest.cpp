// SPDX-License-Identifier: MIT
#include "support/Doubles.h"
#include "support/RaisedError.h"

#include "runtime/PixelCanvas.h"
#include "game/Game.h"
#include "game/Pace.h"

#include <gtest/gtest.h>

#include <cmath>
#include <optional>

using namespace testing_support;
using game::Display;
using rt::RGB;

namespace {

struct Circle {
    float x, y, radius;
    rt::Rgb color;
};

// The field as drawn, plus the list of circles in the order they were drawn.
class RecordingField final : public rt::DrawingArea {
public:
    RecordingField(int width, int height) : canvas(width, height, 3, rt::White) {}

    rt::PixelCanvas canvas;
    std::vector<Circle> circles;
    int clears = 0;

    int innerWidth() const override { return canvas.innerWidth(); }
    int innerHeight() const override { return canvas.innerHeight(); }
    void setBackColor(rt::Rgb c) override
    {
        ++clears;
        canvas.setBackColor(c);
    }
    void cls() override
    {
        ++clears;
        canvas.cls();
    }
    void circle(float x, float y, float r, rt::Rgb c) override
    {
        circles.push_back({x, y, r, c});
        canvas.circle(x, y, r, c);
    }
    rt::Rgb point(float x, float y) const override { return canvas.point(x, y); }
};

// Reads as many seconds as circles have been drawn, so a reading tells when it was taken.
class CirclesClock final : public rt::Clock {
public:
    explicit CirclesClock(const RecordingField& field) : field_(field) {}
    float secondsSinceMidnight() override { return override_ ? *override_ : float(field_.circles.size()); }
    void set(float seconds) { override_ = seconds; }

private:
    const RecordingField& field_;
    std::optional<float> override_;
};

class GameRules : public ::testing::Test {
protected:
    explicit GameRules(int width = 357, int height = 389) : field(width, height), clock(field) {}

    RecordingField field;
    CirclesClock clock;
    ScriptedRandom random;
    RecordingTimer timer;
    RecordingDisplays displays;
    RecordingResult result;
    game::Game game{{field, timer, displays, result, clock, random}};

    game::GameState& state() { return game.state(); }
    std::string text(Display box) { return displays.texts[box]; }
};

class WideField : public GameRules {
protected:
    WideField() : GameRules(360, 389) {}
};

} // namespace

TEST_F(GameRules, StartResetsTheCountAndTheScoreAndSwitchesTheTimerOn)
{
    clock.set(4321.5f);
    state().xx = rt::Variant::single(17.0f);
    game.start();
    EXPECT_EQ(random.seeds, std::vector<float>{4321.5f});
    EXPECT_TRUE(timer.enabled);
    EXPECT_EQ(state().Anzahl, 1);
    EXPECT_EQ(state().Punkte.kind(), rt::Variant::Kind::Integer);
    EXPECT_EQ(text(Display::Text5), " 0");
    EXPECT_EQ(state().xx.toDouble(), 17.0) << "Start leaves the target's place alone";
    EXPECT_TRUE(state().Startzeit.isEmpty());
    EXPECT_TRUE(field.circles.empty());
}

TEST_F(GameRules, TheFirstTickEverWipesAtTheInitialPlaceThenPaintsTheNewTarget)
{
    game.start();
    random.queued = {0.5f, 0.25f};
    game.tick();
    ASSERT_EQ(field.circles.size(), 60u);
    for (int i = 0; i < 30; ++i) {
        EXPECT_EQ(field.circles[i].x, 30.0f);
        EXPECT_EQ(field.circles[i].y, 30.0f);
        EXPECT_EQ(field.circles[i].radius, float(30 - i));
        EXPECT_EQ(field.circles[i].color, rt::White);
    }
    // xx is drawn first: Int(297 * 0.5), then yy: Int(329 * 0.25).
    EXPECT_EQ(state().xx.toDouble(), 148.0);
    EXPECT_EQ(state().yy.toDouble(), 82.0);
    // The rings' colours from the middle out, as palette numbers.
    constexpr int RingPaletteNumbers[30] = {14, 14, 14, 13, 12, 12, 12, 11, 10, 10, 10, 9, 8, 8, 8,
                                            7,  6,  6,  6,  5,  4,  4,  4,  3,  2,  2,  2, 1, 0, 0};
    for (int i = 0; i < 30; ++i) {
        const Circle& c = field.circles[30 + i];
        EXPECT_EQ(c.x, 178.0f);
        EXPECT_EQ(c.y, 112.0f);
        EXPECT_EQ(c.radius, float(i + 1));
        EXPECT_EQ(c.color, rt::paletteColor(RingPaletteNumbers[i])) << "ring " << i + 1;
    }
    EXPECT_EQ(state().Anzahl, 2);
    EXPECT_EQ(state().Startzeit.toSingle(), 60.0f) << "the clock is read after the last ring";
    EXPECT_EQ(field.point(178, 112), RGB(255, 255, 0));
}

TEST_F(GameRules, ATickClearsTheFieldBeforeWipingTheLastTarget)
{
    game.start();
    game.tick();
    const float oldX = state().xx.toSingle() + 30;
    const float oldY = state().yy.toSingle() + 30;
    random.queued = {0.0f, 0.0f};
    const int clearsBefore = field.clears;
    game.tick();
    EXPECT_EQ(field.clears, clearsBefore + 1);
    EXPECT_EQ(field.circles[60].x, oldX);
    EXPECT_EQ(field.circles[60].y, oldY);
    EXPECT_EQ(field.point(30, 30), RGB(255, 255, 0));
    EXPECT_EQ(field.point(oldX, oldY), rt::White);
}

TEST_F(GameRules, CentresStayThirtyPixelsFromEveryEdge)
{
    game.start();
    random.queued = {0.0f, 0.0f};
    game.tick();
    EXPECT_EQ(state().xx.toDouble(), 0.0);
    EXPECT_EQ(state().yy.toDouble(), 0.0);
    const float belowOne = std::nextafter(1.0f, 0.0f);
    random.queued = {belowOne, belowOne};
    game.tick();
    EXPECT_EQ(state().xx.toDouble() + 30, 326.0) << "a 357-pixel field puts no centre beyond 326";
    EXPECT_EQ(state().yy.toDouble() + 30, 358.0);
    EXPECT_EQ(field.point(357 - 1, 358), RGB(0, 0, 0)) << "the outermost ring touches the right edge";
}

TEST_F(WideField, Of360PixelsPlacesCentresFrom30To329)
{
    game.start();
    random.queued = {std::nextafter(1.0f, 0.0f), 0.0f};
    game.tick();
    EXPECT_EQ(state().xx.toDouble(), 299.0);
}

TEST_F(GameRules, NineTargetsThenTheTenthTickEndsTheGame)
{
    game.start();
    for (int target = 1; target <= 9; ++target) {
        game.tick();
        EXPECT_EQ(state().Anzahl, target + 1);
        EXPECT_TRUE(timer.enabled);
        EXPECT_FALSE(result.shown);
    }
    const std::size_t circlesBefore = field.circles.size();
    random.queued = {0.1f, 0.9f};
    displays.texts[Display::Text5] = " 279";
    game.tick();
    EXPECT_EQ(field.circles.size(), circlesBefore + 30) << "the last tick wipes but paints nothing";
    EXPECT_EQ(state().Anzahl, 11);
    EXPECT_FALSE(timer.enabled);
    EXPECT_TRUE(allWhite(field.canvas));
    EXPECT_EQ(state().xx.toDouble(), 29.0) << "a last place is still drawn: Int(297 * 0.1)";
    EXPECT_EQ(state().yy.toDouble(), 296.0) << "Int(329 * 0.9)";
    EXPECT_EQ(state().Startzeit.toSingle(), float(field.circles.size()));
    EXPECT_EQ(state().Endstand, 279);
    EXPECT_EQ(result.sentence, "Sie haben  279 Punkte erreicht!");
    EXPECT_EQ(result.calls, (std::vector<std::string>{"sentence", "redraw", "show"}));
}

TEST_F(GameRules, AScoreBoxHolding12Comma5EndsWithTwelve)
{
    game.start();
    for (int i = 0; i < 9; ++i)
        game.tick();
    displays.texts[Display::Text5] = "12,5";
    game.tick();
    EXPECT_EQ(state().Endstand, 12);
    EXPECT_EQ(result.sentence, "Sie haben  12 Punkte erreicht!");
}

TEST(ResultSentence, HasTheTextFormOfTheScore)
{
    EXPECT_EQ(game::resultSentence(25, rt::Precision::Integer), "Sie haben  25 Punkte erreicht!");
    EXPECT_EQ(game::resultSentence(-5, rt::Precision::Integer), "Sie haben -5 Punkte erreicht!");
    EXPECT_EQ(game::resultSentence(0, rt::Precision::Integer), "Sie haben  0 Punkte erreicht!");
}

TEST(PaceText, TellsTheTimeBetweenTargetsForEverySliderValue)
{
    const std::pair<int, const char*> cases[] = {
        {600, "410 Millisekunden je Ziel"},  {610, "400 Millisekunden je Ziel"},
        {10, "1000 Millisekunden je Ziel"},  {1000, "10 Millisekunden je Ziel"},
        {0, "1000 Millisekunden je Ziel"},   {-32768, "1000 Millisekunden je Ziel"},
        {1001, "10 Millisekunden je Ziel"},  {32767, "10 Millisekunden je Ziel"},
    };
    for (const auto& [value, text] : cases)
        EXPECT_EQ(game::paceText(value), text) << value;
    EXPECT_EQ(game::paceMilliseconds(1005), 5) << "the timer's pace is 16-bit arithmetic, not the slider's range";
    EXPECT_EQ(game::paceMilliseconds(-31757), 32767);
    for (const int beyond : {-31758, 40000})
        EXPECT_EQ(errorOf([&] { game::paceMilliseconds(beyond); }), rt::ErrorCode::Overflow) << beyond;
}

TEST(FinalScore, IsTheScoreBoxNumberWhenItIsOne)
{
    const rt::Variant punkte = rt::Variant::real(100);
    EXPECT_EQ(game::finalScore("12,5", punkte), 12);
    EXPECT_EQ(game::finalScore(" 25 ", punkte), 25);
    EXPECT_EQ(game::finalScore("-32768", punkte), -32768);
    EXPECT_EQ(game::finalScore(" 279", punkte), 279);
}

TEST(FinalScore, FallsBackToTheRunningScoreForAnyOtherText)
{
    const rt::Variant punkte = rt::Variant::real(187);
    for (const std::string& text : {std::string("abc"), std::string(""), std::string("   "), std::string("12 Punkte"),
                                    std::string("32768"), std::string("-40000"), std::string("1e9"),
                                    std::string(40000, 'x'), std::string(40000, '9'), std::string("ÄÖÜß"),
                                    std::string("\x01\x02\n"), std::string("12.5")}) {
        EXPECT_EQ(game::finalScore(text, punkte), 187) << text.substr(0, 20);
    }
    EXPECT_EQ(game::finalScore("x", rt::Variant()), 0) << "an empty running score counts as 0";
    EXPECT_EQ(game::finalScore("x", rt::Variant::real(1e12)), 32767);
    EXPECT_EQ(game::finalScore("x", rt::Variant::real(-1e12)), -32768);
    EXPECT_EQ(game::finalScore("x", rt::Variant::real(-INFINITY)), -32768);
    for (const rt::Variant& notANumber : {rt::Variant::real(NAN), rt::Variant::single(NAN)})
        EXPECT_EQ(errorOf([&] { game::finalScore("x", notANumber); }), rt::ErrorCode::Overflow);
}

TEST_F(GameRules, LettersInTheScoreBoxStillEndTheGame)
{
    game.start();
    random.queued = {0.0f, 0.0f};
    game.tick();
    game.shot(30, 30);
    for (int i = 0; i < 9; ++i)
        game.tick();
    displays.texts[Display::Text5] = "viele";
    game.tick();
    EXPECT_FALSE(timer.enabled);
    EXPECT_TRUE(result.shown);
    EXPECT_EQ(state().Endstand, 31);
    EXPECT_EQ(result.sentence, "Sie haben  31 Punkte erreicht!");
}

TEST_F(GameRules, AHitInTheCentreScoresThirtyOne)
{
    game.start();
    random.queued = {100.0f / 297.0f, 200.0f / 329.0f};
    game.tick();
    ASSERT_EQ(state().xx.toDouble(), 100.0);
    ASSERT_EQ(state().yy.toDouble(), 200.0);
    game.shot(130, 230);
    EXPECT_EQ(state().Punkte.toDouble(), 31.0);
    EXPECT_EQ(text(Display::Text5), " 31");
    EXPECT_EQ(text(Display::Text1), "X= 130");
    EXPECT_EQ(text(Display::Text2), "Y= 230");
    EXPECT_EQ(text(Display::Text3), "xx= 100");
    EXPECT_EQ(text(Display::Text4), "yy= 200");
    game.shot(130 + 7, 230 - 3);   // distance 7.6: 24 more
    EXPECT_EQ(text(Display::Text5), " 55");
}

TEST_F(GameRules, APixelJustOutsideRadiusThirtyScoresNothingButCounts)
{
    game.start();
    random.queued = {0.0f, 0.0f};
    game.tick();
    ASSERT_NE(field.point(61, 30), rt::White);
    game.shot(61, 30);
    EXPECT_EQ(state().Punkte.toDouble(), 0.0);
    EXPECT_EQ(text(Display::Text5), " 0");
    EXPECT_EQ(state().Punkte.kind(), rt::Variant::Kind::Double);
}

TEST_F(GameRules, AMissChangesOnlyTheDisplaysAndTheTimes)
{
    game.start();
    random.queued = {0.0f, 0.0f};
    game.tick();
    game.shot(30, 30);
    clock.set(61.5f);
    game.shot(200, 300);
    EXPECT_EQ(state().Punkte.toDouble(), 31.0);
    EXPECT_EQ(text(Display::Text5), " 31");
    EXPECT_EQ(text(Display::Text1), "X= 200");
    EXPECT_EQ(state().Klickzeit.toSingle(), 61.5f);
    EXPECT_FLOAT_EQ(state().Reaktionszeit, 1.5f);
    EXPECT_EQ(text(Display::Text6), "-5");
}

TEST_F(GameRules, BeforeAnyTargetTheDisplaysShowEmptyPlacesAndALargeNegativeTime)
{
    clock.set(50000.0f);
    game.shot(10, 20);
    EXPECT_EQ(text(Display::Text3), "xx=");
    EXPECT_EQ(text(Display::Text4), "yy=");
    EXPECT_EQ(state().Reaktionszeit, 50000.0f) << "an empty start time reads as 0";
    EXPECT_EQ(text(Display::Text6), "-499990");
    EXPECT_TRUE(state().Punkte.isEmpty());
    EXPECT_TRUE(displays.texts.count(Display::Text5) == 0);
}

struct TimePointsCase {
    float reaction;
    int points;
    const char* text;   // Text6
};

class TimeScoring : public GameRules, public ::testing::WithParamInterface<TimePointsCase> {};

TEST_P(TimeScoring, AddsTimePointsOnlyWhileJaIsSelected)
{
    game.start();
    random.queued = {0.0f, 0.0f};
    clock.set(1000.0f);
    game.tick();
    clock.set(1000.0f + GetParam().reaction);
    displays.timeScoring = true;
    game.shot(30, 30);
    EXPECT_EQ(state().Punkte.toDouble(), 31.0 + GetParam().points);
    EXPECT_EQ(text(Display::Text6), GetParam().text);
    displays.timeScoring = false;
    game.shot(30, 30);
    EXPECT_EQ(state().Punkte.toDouble(), 62.0 + GetParam().points) << "Nein adds ring points alone";
    EXPECT_EQ(text(Display::Text6), GetParam().text) << "Text6 is written all the same";
}

INSTANTIATE_TEST_SUITE_P(ReactionTimes, TimeScoring,
                         ::testing::Values(TimePointsCase{0.35f, 6, " 6"}, TimePointsCase{0.96f, 0, " 0"},
                                           TimePointsCase{1.25f, -3, "-3"}, TimePointsCase{0.0f, 10, " 10"}));

TEST_F(GameRules, AReactionAcrossMidnightIsNotNegative)
{
    game.start();
    random.queued = {0.0f, 0.0f};
    clock.set(86399.75f);
    game.tick();
    clock.set(0.25f);
    displays.timeScoring = true;
    game.shot(30, 30);
    EXPECT_NEAR(state().Reaktionszeit, 0.5f, 0.01f);
    EXPECT_EQ(state().Punkte.toDouble(), 31.0 + 5.0);
    EXPECT_EQ(text(Display::Text6), " 5");
}
