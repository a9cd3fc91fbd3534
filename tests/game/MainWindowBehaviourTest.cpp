// SPDX-License-Identifier: MIT
#include "support/Doubles.h"

#include "runtime/PixelCanvas.h"
#include "game/layout/Form1Layout.h"
#include "game/main/MainWindowBehaviour.h"

#include <gtest/gtest.h>

#include <functional>
#include <set>
#include <string>
#include <vector>

using namespace testing_support;
using game::SecondaryWindow;

namespace {

const char* nameOf(SecondaryWindow window) { return window == SecondaryWindow::Form2 ? "Form2" : "Form3"; }

// The main window's controls and the program as logged calls. A new slider
// value runs its change handler, as the toolkits do.
class RecordingWindow final : public game::MainWindowPorts {
public:
    explicit RecordingWindow(std::vector<std::string>& log) : log_(log) {}

    game::MainWindowBehaviour* behaviour = nullptr;
    int pace = 10;
    std::set<SecondaryWindow> shown;

    void setText(game::Display box, const std::string& text) override
    {
        log_.push_back("Text" + std::to_string(int(box) + 1) + " '" + text + "'");
    }
    std::string scoreText() const override { return "0"; }
    bool timeScoringSelected() const override { return false; }
    void setSentence(const std::string& sentence) override { log_.push_back("Form2.Label1 '" + sentence + "'"); }
    void redrawNow() override { log_.push_back("Form2 redrawn"); }
    void show() override { showInFront(SecondaryWindow::Form2); }
    int paceValue() const override { return pace; }
    void setPaceValue(int value) override
    {
        log_.push_back("HScroll1 " + std::to_string(value));
        if (value != pace) {
            pace = value;
            behaviour->HScroll1_Change();
        }
    }
    void setTimePointsShown(bool visible) override { log_.push_back(visible ? "Text6 shown" : "Text6 hidden"); }
    bool isShown(SecondaryWindow window) override { return shown.count(window) != 0; }
    void hide(SecondaryWindow window) override
    {
        shown.erase(window);
        log_.push_back(std::string(nameOf(window)) + " hidden");
    }
    void showInFront(SecondaryWindow window) override
    {
        shown.insert(window);
        log_.push_back(std::string(nameOf(window)) + " in front");
    }
    void end() override { log_.push_back("end"); }

private:
    std::vector<std::string>& log_;
};

struct Form1Doubles {
    explicit Form1Doubles(bool tracing) : trace(log, tracing) { window.behaviour = &behaviour; }

    std::vector<std::string> log;   // the window's, the timer's and the trace's, in order
    rt::PixelCanvas field{357, 389, 3, rt::White};
    RecordingTrace trace;
    RecordingIntervalTimer timer{game::layout::form1::DesignInterval, trace, log};
    RecordingWindow window{log};
    FakeClock clock;
    ScriptedRandom random;
    game::MainWindowBehaviour behaviour{game::MainWindowParts{field, timer, window, trace, clock, random}};
};

// A handler on a new main window, with tracing on, and all it does.
struct HandlerCase {
    const char* name;
    std::function<void(game::MainWindowBehaviour&)> handler;
    std::vector<std::string> done;
};

const HandlerCase HandlerCases[] = {
    {"Form_Load", &game::MainWindowBehaviour::Form_Load,
     {"Timer1.Interval 600", "HScroll1 600", "Timer1.Interval 410"}},
    {"Option1_Click", &game::MainWindowBehaviour::Option1_Click, {"Timer1.Interval 800"}},
    {"Option2_Click", &game::MainWindowBehaviour::Option2_Click, {"Timer1.Interval 600"}},
    {"Option3_Click", &game::MainWindowBehaviour::Option3_Click, {"Timer1.Interval 400"}},
    {"Option4_Click", &game::MainWindowBehaviour::Option4_Click, {"Text6 shown"}},
    {"Option5_Click", &game::MainWindowBehaviour::Option5_Click, {"Text6 hidden"}},
    {"HScroll1_Change", &game::MainWindowBehaviour::HScroll1_Change, {"Timer1.Interval 1000"}},
    {"Command1_Click", &game::MainWindowBehaviour::Command1_Click, {"start 800", "Text5 ' 0'", "Command1_Click"}},
    {"Command2_Click", &game::MainWindowBehaviour::Command2_Click, {"end"}},
    {"Command3_Click", &game::MainWindowBehaviour::Command3_Click, {"Form3 in front"}},
    {"Form_Click", &game::MainWindowBehaviour::Form_Click, {}},
    {"Timer1_Timer", &game::MainWindowBehaviour::Timer1_Timer, {"Timer1_Timer Anzahl=1 xx=148 yy=164"}},
    {"Picture1_MouseDown", [](game::MainWindowBehaviour& form) { form.Picture1_MouseDown(1, 0, 3, 4); },
     {"Picture1_MouseDown X=3 Y=4", "Text1 'X= 3'", "Text2 'Y= 4'", "Text3 'xx='", "Text4 'yy='",
      "Text6 '-9990'"}},
};

} // namespace

TEST(MainWindowBehaviour, EachHandlerDoesItsStepsThroughThePorts)
{
    for (const HandlerCase& c : HandlerCases) {
        SCOPED_TRACE(c.name);
        Form1Doubles parts(true);
        c.handler(parts.behaviour);
        EXPECT_EQ(parts.log, c.done);
    }
}

TEST(MainWindowBehaviour, WithoutTracingTheHandlersDoTheSameAndWriteNoLine)
{
    const auto isTraceLine = [](const std::string& line) {
        for (const char* start : {"Timer1.Interval ", "Command1_Click", "Timer1_Timer ", "Picture1_MouseDown "})
            if (line.rfind(start, 0) == 0)
                return true;
        return false;
    };
    for (const HandlerCase& c : HandlerCases) {
        Form1Doubles parts(false);
        c.handler(parts.behaviour);
        std::vector<std::string> done = c.done;
        std::erase_if(done, isTraceLine);
        EXPECT_EQ(parts.log, done) << c.name;
    }
}

TEST(MainWindowBehaviour, ABackgroundClickHidesTheWindowsShownAndNoOther)
{
    Form1Doubles parts(true);
    parts.window.shown = {SecondaryWindow::Form2, SecondaryWindow::Form3};
    parts.behaviour.Form_Click();
    EXPECT_EQ(parts.log, (std::vector<std::string>{"Form2 hidden", "Form3 hidden"}));
    parts.log.clear();
    parts.window.shown = {SecondaryWindow::Form3};
    parts.behaviour.Form_Click();
    EXPECT_EQ(parts.log, std::vector<std::string>{"Form3 hidden"});
}

TEST(MainWindowBehaviour, AWholeGameEndsWithTheResultInFront)
{
    Form1Doubles parts(false);
    parts.behaviour.Command1_Click();
    for (int tick = 0; tick < 10; ++tick)
        parts.behaviour.Timer1_Timer();
    EXPECT_EQ(parts.behaviour.state().Anzahl, 11);
    EXPECT_FALSE(parts.timer.isEnabled());
    EXPECT_EQ(parts.log, (std::vector<std::string>{"start 800", "Text5 ' 0'", "stop",
                                                   "Form2.Label1 'Sie haben  0 Punkte erreicht!'", "Form2 redrawn",
                                                   "Form2 in front"}));
}
