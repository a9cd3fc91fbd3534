// SPDX-License-Identifier: MIT
#include "support/Doubles.h"
#include "support/RaisedError.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using testing_support::RecordingIntervalTimer;
using testing_support::RecordingTrace;

namespace {

struct Step {
    enum Kind { Enable, Disable, Interval } kind;
    int milliseconds = 0;
};

// What the toolkit's timer is told after each list of steps.
struct TimerCase {
    const char* name;
    int designInterval;
    std::vector<Step> steps;
    std::vector<std::string> told;
};

const TimerCase TimerCases[] = {
    {"enabling starts the ticks at the interval", 800, {{Step::Enable}}, {"start 800"}},
    {"enabling a running timer keeps its pace", 800, {{Step::Enable}, {Step::Enable}, {Step::Enable}}, {"start 800"}},
    {"a new interval restarts the wait while enabled", 800, {{Step::Enable}, {Step::Interval, 410}},
     {"start 800", "start 410"}},
    {"a new interval while disabled waits for the enabling", 800, {{Step::Interval, 410}, {Step::Enable}},
     {"start 410"}},
    {"an interval of 0 holds the ticks back while enabled", 800,
     {{Step::Enable}, {Step::Interval, 0}, {Step::Enable}, {Step::Interval, 5}}, {"start 800", "stop", "start 5"}},
    {"an interval of 0 from the start never ticks", 0, {{Step::Enable}}, {}},
    {"disabling stops, enabling starts anew", 800, {{Step::Enable}, {Step::Disable}, {Step::Enable}},
     {"start 800", "stop", "start 800"}},
};

} // namespace

TEST(IntervalTimer, TellsTheToolkitsTimerWhenToTick)
{
    for (const TimerCase& c : TimerCases) {
        SCOPED_TRACE(c.name);
        std::vector<std::string> told;
        RecordingTrace trace(told, false);
        RecordingIntervalTimer timer(c.designInterval, trace, told);
        for (const Step& step : c.steps) {
            if (step.kind == Step::Interval)
                timer.setInterval(step.milliseconds);
            else
                timer.setEnabled(step.kind == Step::Enable);
        }
        EXPECT_EQ(told, c.told);
        EXPECT_EQ(timer.isEnabled(), c.steps.back().kind != Step::Disable);
    }
}

TEST(IntervalTimer, ANewIntervalIsReadBackAtOnceAndTraced)
{
    std::vector<std::string> log;
    RecordingTrace trace(log, true);
    RecordingIntervalTimer timer(800, trace, log);
    EXPECT_EQ(timer.interval(), 800);
    timer.setInterval(410);
    EXPECT_EQ(timer.interval(), 410);
    EXPECT_EQ(log, std::vector<std::string>{"Timer1.Interval 410"});
}

TEST(IntervalTimer, ANegativeIntervalIsARuntimeErrorAndChangesNothing)
{
    std::vector<std::string> log;
    RecordingTrace trace(log, true);
    RecordingIntervalTimer timer(30, trace, log);
    timer.setEnabled(true);
    EXPECT_EQ(errorOf([&] { timer.setInterval(-1); }), rt::ErrorCode::InvalidPropertyValue);
    EXPECT_EQ(timer.interval(), 30);
    EXPECT_TRUE(timer.running);
    EXPECT_EQ(log, std::vector<std::string>{"start 30"});
}
