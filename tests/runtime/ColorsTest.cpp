// SPDX-License-Identifier: MIT
#include "runtime/Colors.h"
#include "runtime/RuntimeError.h"
#include "support/RaisedError.h"

#include <gtest/gtest.h>

using namespace rt;

TEST(Palette, HasTheSixteenStandardColours)
{
    EXPECT_EQ(paletteColor(0), RGB(0, 0, 0));
    EXPECT_EQ(paletteColor(7), RGB(192, 192, 192));
    EXPECT_EQ(paletteColor(8), RGB(128, 128, 128));
    EXPECT_EQ(paletteColor(14), RGB(255, 255, 0));
    EXPECT_EQ(paletteColor(15), White);
    EXPECT_EQ(errorOf([] { paletteColor(16); }), ErrorCode::InvalidCall);
    EXPECT_EQ(errorOf([] { paletteColor(-1); }), ErrorCode::InvalidCall);
    EXPECT_EQ(fromPixel(toPixel(RGB(1, 2, 3))), RGB(1, 2, 3));
}
