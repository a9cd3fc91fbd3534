// SPDX-License-Identifier: MIT
#include "runtime/Random.h"

#include <gtest/gtest.h>

#include <vector>

using namespace rt;

TEST(RandomGenerator, YieldsUniformNumbersBelowOneAndRepeatsAfterReseeding)
{
    RandomGenerator generator;
    generator.reseed(51234.5f);
    std::vector<float> first;
    double sum = 0;
    for (int i = 0; i < 20000; ++i) {
        const float value = generator.next();
        ASSERT_GE(value, 0.0f);
        ASSERT_LT(value, 1.0f);
        sum += value;
        if (i < 5)
            first.push_back(value);
    }
    EXPECT_NEAR(sum / 20000, 0.5, 0.02);
    generator.reseed(51234.5f);
    for (float expected : first)
        EXPECT_EQ(generator.next(), expected);
}
