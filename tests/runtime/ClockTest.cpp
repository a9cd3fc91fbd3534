// SPDX-License-Identifier: MIT
#include "runtime/Clock.h"

#include <gtest/gtest.h>

using namespace rt;

TEST(SystemClock, ReadsSecondsSinceMidnight)
{
    SystemClock clock;
    const float now = clock.secondsSinceMidnight();
    EXPECT_GE(now, 0.0f);
    EXPECT_LT(now, 86400.0f);
}
