// SPDX-License-Identifier: MIT
#include "runtime/Variant.h"

#include <gtest/gtest.h>

using namespace rt;

TEST(UntypedValue, EmptyReadsAsZeroAndAsEmptyText)
{
    const Variant empty;
    EXPECT_TRUE(empty.isEmpty());
    EXPECT_EQ(empty.text(), "");
    EXPECT_EQ(empty.toDouble(), 0.0);
    const Variant sum = empty + Variant::integer(30);
    EXPECT_EQ(sum.kind(), Variant::Kind::Integer);
    EXPECT_EQ(sum.text(), " 30");
}

TEST(UntypedValue, ArithmeticTakesTheWiderKind)
{
    EXPECT_EQ((Variant::single(12.0f) + Variant::integer(30)).kind(), Variant::Kind::Single);
    EXPECT_EQ((Variant::integer(0) + Variant::real(31.0)).kind(), Variant::Kind::Double);
    EXPECT_EQ((Variant::real(1.0) - Variant::single(0.5f)).toDouble(), 0.5);
    const Variant big = Variant::integer(32767) + Variant::integer(1);
    EXPECT_EQ(big.toDouble(), 32768.0);
    EXPECT_EQ(big.text(), " 32768");
    // Singles compute in single precision.
    const Variant clock = Variant::single(86399.99f) - Variant::single(0.01f);
    EXPECT_EQ(clock.toSingle(), 86399.99f - 0.01f);
}
