// SPDX-License-Identifier: MIT
// The page's clock under node, in a time zone a quarter hour off the hour:
// it tells the time of day the C library's local time does, not the
// universal one, in seconds.
#include "web/PageClock.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

constexpr float SecondsPerDay = 86400.0f;

TEST(PageClockTest, TellsTheLocalTimeOfDayAsTheCLibraryDoes)
{
    web::PageClock page;
    rt::SystemClock library;
    for (int reading = 0; reading < 3; ++reading) {
        const float before = library.secondsSinceMidnight();
        const float onPage = page.secondsSinceMidnight();
        EXPECT_GE(onPage, 0.0f);
        EXPECT_LT(onPage, SecondsPerDay);
        // Read one after the other, perhaps across midnight.
        const float apart = std::fmod(onPage - before + SecondsPerDay, SecondsPerDay);
        EXPECT_LT(apart, 1.0f) << "library " << before << " s, page " << onPage << " s";
    }
}

} // namespace
