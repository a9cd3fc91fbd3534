// SPDX-License-Identifier: MIT
#include "runtime/PixelCanvas.h"
#include "support/RaisedError.h"

#include <gtest/gtest.h>

#include <cmath>

using rt::RGB;

TEST(CanvasCircles, WithFractionalCentresStaySymmetricAndClipped)
{
    rt::PixelCanvas canvas(40, 40, 3, rt::White);
    canvas.circle(10.5f, 10.5f, 5.0f, RGB(0, 0, 0));
    EXPECT_EQ(canvas.point(16, 10), canvas.point(5, 10));
    EXPECT_EQ(canvas.point(16, 10), RGB(0, 0, 0));
    canvas.circle(-5.0f, 39.0f, 100.0f, RGB(255, 0, 0));   // mostly outside: must not write out of bounds
    canvas.circle(1e9f, 1e9f, 3.0f, RGB(255, 0, 0));
    EXPECT_EQ(canvas.point(-1, 0), RGB(0, 0, 0)) << "outside the area reads as not white";
    const float beyond[][3] = {{NAN, 10, 3}, {10, NAN, 3}, {10, 10, NAN}, {10, 10, INFINITY},
                               {3e9f, 10, 3}, {10, -3e9f, 3}, {-INFINITY, 10, 3}, {10, 10, -1e30f}};
    for (const auto& c : beyond)
        EXPECT_EQ(errorOf([&] { canvas.circle(c[0], c[1], c[2], RGB(0, 0, 255)); }), rt::ErrorCode::Overflow)
            << c[0] << "," << c[1] << " radius " << c[2];
}

TEST(CanvasClearing, RestoresEveryPixelWhereverCirclesWereDrawn)
{
    rt::PixelCanvas canvas(50, 40, 3, rt::White);
    canvas.circle(0, 0, 10, RGB(0, 0, 0));
    canvas.circle(49, 39, 30, RGB(255, 0, 0));
    canvas.circle(20.5f, 7.25f, 3.5f, RGB(0, 255, 0));
    canvas.cls();
    for (int y = 0; y < 40; ++y)
        for (int x = 0; x < 50; ++x)
            ASSERT_EQ(canvas.point(x, y), rt::White) << x << "," << y;
    canvas.setBackColor(RGB(0, 0, 128));
    for (int y = 0; y < 40; ++y)
        for (int x = 0; x < 50; ++x)
            ASSERT_EQ(canvas.point(x, y), RGB(0, 0, 128)) << "a new background covers all";
}

TEST(CanvasChanges, AreReportedOnceAndCoverEverythingDrawn)
{
    rt::PixelCanvas canvas(100, 100, 3, rt::White);
    int calls = 0;
    canvas.setChangeListener([&calls] { ++calls; });
    canvas.circle(20, 20, 5, RGB(0, 0, 0));
    canvas.circle(80, 70, 30, RGB(0, 0, 0));
    EXPECT_EQ(calls, 1);
    const rt::PixelBounds changed = canvas.takeChangedBounds();
    EXPECT_EQ(changed.left, 20 - 6);
    EXPECT_EQ(changed.top, 20 - 6);
    EXPECT_EQ(changed.right, 100) << "clipped to the area";
    EXPECT_EQ(changed.bottom, 100);
    EXPECT_TRUE(canvas.takeChangedBounds().isEmpty());
    canvas.cls();
    EXPECT_EQ(calls, 2);
    EXPECT_FALSE(canvas.takeChangedBounds().isEmpty());
}
