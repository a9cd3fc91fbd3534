// SPDX-License-Identifier: MIT
#include "runtime/RuntimeError.h"

#include <gtest/gtest.h>

using namespace rt;

TEST(RuntimeErrors, CarryTheirNumberAndGermanMessage)
{
    const RuntimeError overflow(ErrorCode::Overflow);
    EXPECT_EQ(overflow.number(), 6);
    EXPECT_EQ(overflow.germanMessage(), "Überlauf");
    EXPECT_EQ(RuntimeError(ErrorCode::TypeMismatch).germanMessage(), "Typen unverträglich");
}
