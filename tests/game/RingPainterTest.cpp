// SPDX-License-Identifier: MIT
#include "runtime/PixelCanvas.h"
#include "game/RingPainter.h"

#include <gtest/gtest.h>

#include <cmath>
#include <set>

using rt::RGB;

namespace {

constexpr int FieldWidth = 357;
constexpr int FieldHeight = 389;

struct PaintedField {
    rt::PixelCanvas canvas{FieldWidth, FieldHeight, 3, rt::White};
    game::GameState state;
    game::RingPainter painter{canvas};

    PaintedField(int xx, int yy)
    {
        state.xx = rt::Variant::single(float(xx));
        state.yy = rt::Variant::single(float(yy));
        painter.paint(state);
    }
    rt::Rgb at(int x, int y) const { return canvas.point(float(x), float(y)); }
};

bool isPaletteColour(rt::Rgb c)
{
    for (const rt::Rgb& p : rt::Palette)
        if (p == c)
            return true;
    return false;
}

} // namespace

TEST(RingColours, RunFromLightYellowInTheMiddleToBlackOutside)
{
    for (int r : {1, 2, 3})
        EXPECT_EQ(game::RingPainter::ringColor(r), RGB(255, 255, 0)) << r;
    EXPECT_EQ(game::RingPainter::ringColor(4), RGB(255, 0, 255));
    EXPECT_EQ(game::RingPainter::ringColor(8), RGB(0, 255, 255));
    EXPECT_EQ(game::RingPainter::ringColor(16), RGB(192, 192, 192));
    EXPECT_EQ(game::RingPainter::ringColor(28), RGB(0, 0, 128));
    for (int r : {29, 30})
        EXPECT_EQ(game::RingPainter::ringColor(r), RGB(0, 0, 0)) << r;
}

TEST(APaintedTarget, IsSymmetricAboutItsCentrePixelAndSolidInside)
{
    const PaintedField field(100, 120);
    const int cx = 130, cy = 150;
    EXPECT_EQ(field.at(cx, cy), RGB(255, 255, 0)) << "the centre pixel is light yellow";
    for (int d = 0; d <= 31; ++d) {
        const rt::Rgb right = field.at(cx + d, cy);
        EXPECT_NE(right, rt::White) << "no white pixel at distance " << d;
        EXPECT_EQ(field.at(cx - d, cy), right) << d;
        EXPECT_EQ(field.at(cx, cy + d), right) << d;
        EXPECT_EQ(field.at(cx, cy - d), right) << d;
    }
    for (int d : {30, 31})
        EXPECT_EQ(field.at(cx + d, cy), RGB(0, 0, 0)) << "outermost pixels are black";
    EXPECT_EQ(field.at(cx + 32, cy), rt::White);
    EXPECT_EQ(field.at(cx, cy - 32), rt::White);
    // Diagonals are symmetric too, and the whole disc has no white hole.
    for (int dy = -31; dy <= 31; ++dy) {
        for (int dx = -31; dx <= 31; ++dx) {
            const rt::Rgb c = field.at(cx + dx, cy + dy);
            ASSERT_EQ(c, field.at(cx - dx, cy + dy));
            ASSERT_EQ(c, field.at(cx + dy, cy + dx));
            if (std::hypot(dx, dy) <= 31.0) {
                ASSERT_NE(c, rt::White) << dx << "," << dy;
            }
        }
    }
}

TEST(APaintedTarget, HasOnlyWhiteOrExactPaletteColours)
{
    const PaintedField field(0, 0);
    std::set<std::uint32_t> seen;
    for (int y = 0; y < FieldHeight; ++y)
        for (int x = 0; x < FieldWidth; ++x) {
            const rt::Rgb c = field.at(x, y);
            ASSERT_TRUE(isPaletteColour(c)) << x << "," << y;
            seen.insert(rt::toPixel(c));
        }
    // White plus the fifteen ring colours 0..14.
    EXPECT_EQ(seen.size(), 16u);
}

TEST(APaintedTarget, AtTheOriginTouchesTheTopAndLeftEdges)
{
    const PaintedField field(0, 0);
    EXPECT_EQ(field.at(30, 30), RGB(255, 255, 0));
    EXPECT_NE(field.at(0, 30), rt::White);
    EXPECT_NE(field.at(30, 0), rt::White);
    EXPECT_EQ(field.at(0, 0), rt::White);
}

TEST(Wiping, ErasesAPaintedTargetCompletely)
{
    PaintedField field(150, 200);
    field.painter.wipe(field.state);
    for (int y = 0; y < FieldHeight; ++y)
        for (int x = 0; x < FieldWidth; ++x)
            ASSERT_EQ(field.at(x, y), rt::White) << x << "," << y;
}

TEST(Wiping, WhereNothingWasPaintedChangesNothing)
{
    PaintedField field(20, 20);
    const std::vector<std::uint32_t> before(field.canvas.pixels(),
                                            field.canvas.pixels() + FieldWidth * FieldHeight);
    game::GameState elsewhere;
    elsewhere.xx = rt::Variant::single(250.0f);
    elsewhere.yy = rt::Variant::single(300.0f);
    field.painter.wipe(elsewhere);
    const std::vector<std::uint32_t> after(field.canvas.pixels(), field.canvas.pixels() + FieldWidth * FieldHeight);
    EXPECT_EQ(before, after);
}

TEST(Painting, DoesNotChangeTheGameVariables)
{
    PaintedField field(40, 50);
    EXPECT_EQ(field.state.xx.toDouble(), 40.0);
    EXPECT_EQ(field.state.yy.toDouble(), 50.0);
    EXPECT_TRUE(field.state.Punkte.isEmpty());
    EXPECT_EQ(field.state.Anzahl, 0);
}
