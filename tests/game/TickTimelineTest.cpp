// SPDX-License-Identifier: MIT
#include "game/main/TickTimeline.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

using game::TickTimeline;

namespace {

// A browser's clock and its one-shot timer: each wait ends late by a share
// of its length, no wait is shorter than a floor, and each tick's handler
// takes a while.
struct Browser {
    double lateShare;
    double floorMs;
    double handlerMs;
};

// The times the ticks ran, on a timeline started at 1000 ms.
std::vector<double> tickTimes(const Browser& browser, int intervalMs, int ticks)
{
    TickTimeline timeline;
    double now = 1000;
    timeline.start(now, intervalMs);
    std::vector<double> ran;
    for (int wakes = 0; int(ran.size()) < ticks && wakes < 100 * ticks; ++wakes) {
        const TickTimeline::Step step = timeline.next(now);
        now += std::max(step.waitMs, browser.floorMs) * (1 + browser.lateShare);
        if (!step.tickOnWake)
            continue;
        ran.push_back(now);
        now += browser.handlerMs;
        timeline.ticked(now);
    }
    return ran;
}

struct PaceCase {
    const char* name;
    Browser browser;
    int intervalMs;
};

const PaceCase PaceCases[] = {
    {"a punctual timer", {0.0, 0.0, 2.0}, 410},
    {"waits ending a tenth late keep 410 ms", {0.1, 0.0, 2.0}, 410},
    {"waits ending a tenth late keep 100 ms", {0.1, 0.0, 2.0}, 100},
    {"waits ending an eighth late keep 10 ms", {0.125, 0.0, 0.5}, 10},
    {"the longest pace", {0.1, 0.0, 2.0}, 1000},
    {"waits of at least 4 ms keep 100 ms", {0.0, 4.0, 2.0}, 100},
    {"waits of at least 4 ms keep 410 ms", {0.0, 4.0, 2.0}, 410},
};

} // namespace

TEST(TickTimeline, EachTickRunsOnItsDueTimeWhenWaitsEndLate)
{
    for (const PaceCase& c : PaceCases) {
        SCOPED_TRACE(c.name);
        const std::vector<double> ran = tickTimes(c.browser, c.intervalMs, 30);
        ASSERT_EQ(ran.size(), 30u);
        for (std::size_t i = 0; i < ran.size(); ++i) {
            const double due = 1000 + double(i + 1) * c.intervalMs;
            EXPECT_GE(ran[i], due) << "tick " << i;
            EXPECT_LE(ran[i], due + c.browser.lateShare * TickTimeline::LastStepMs + 1e-9) << "tick " << i;
        }
    }
}

TEST(TickTimeline, ALateTickDoesNotPushTheOnesAfterIt)
{
    TickTimeline timeline;
    timeline.start(0, 410);
    timeline.ticked(445);   // ran 35 ms late
    EXPECT_DOUBLE_EQ(timeline.dueMs(), 820);
    EXPECT_DOUBLE_EQ(timeline.next(445).waitMs, 375 * TickTimeline::StepShare);
    EXPECT_TRUE(timeline.next(805).tickOnWake);
}

TEST(TickTimeline, TicksThatFellDueDuringAHandlerAreDropped)
{
    struct Case {
        const char* name;
        int intervalMs;
        double handledUntil;
        double nextDue;
    } const cases[] = {
        {"handled past one due time", 410, 900, 1230},
        {"handled past three due times", 100, 470, 500},
        {"handled until the next due time exactly", 410, 820, 1230},
        {"a page asleep for an hour", 410, 3600000, 3600210},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TickTimeline timeline;
        timeline.start(0, c.intervalMs);
        timeline.ticked(c.handledUntil);
        EXPECT_DOUBLE_EQ(timeline.dueMs(), c.nextDue);
        EXPECT_GT(timeline.next(c.handledUntil).waitMs, 0);
    }
}

TEST(TickTimeline, TheWaitComesInStepsThatEndBeforeTheTick)
{
    TickTimeline timeline;
    timeline.start(0, 410);
    const TickTimeline::Step first = timeline.next(0);
    EXPECT_FALSE(first.tickOnWake);
    EXPECT_DOUBLE_EQ(first.waitMs, 410 * TickTimeline::StepShare);
    EXPECT_DOUBLE_EQ(timeline.next(380).waitMs, 20);   // never less than the last step's least
    const TickTimeline::Step last = timeline.next(395);
    EXPECT_TRUE(last.tickOnWake);
    EXPECT_DOUBLE_EQ(last.waitMs, 15);
    EXPECT_DOUBLE_EQ(timeline.next(411).waitMs, 0);   // overdue: at once
    timeline.start(0, 0);   // no interval: one millisecond, never a busy loop
    EXPECT_DOUBLE_EQ(timeline.dueMs(), 1);
}
