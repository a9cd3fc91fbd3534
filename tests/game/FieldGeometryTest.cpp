// SPDX-License-Identifier: MIT
#include "game/main/FieldGeometry.h"

#include <gtest/gtest.h>

#include <optional>

using game::FieldOnScreen;

namespace {

constexpr int Size = 10;   // field pixels each way

// A press on screen pixel (s, s) of a field that begins `first` pixels from
// the screen's corner each way: the field pixel (v, v) it counts at, or none.
struct PressCase {
    double scale;
    int first;
    int screen;
    std::optional<int> field;
};

constexpr PressCase PressCases[] = {
    {1.0, 0, 0, 0},        {1.0, 0, 9, 9},         {1.0, 0, 10, std::nullopt}, {1.0, 0, -1, std::nullopt},
    {1.25, 0, 1, 0},       {1.25, 0, 2, 1},        {1.25, 0, 3, 2},            {1.25, 0, 4, 3},
    {1.25, 0, 5, 4},       {1.25, 0, 12, 9},       {1.25, 0, 13, std::nullopt},
    {1.5, 0, 0, 0},        {1.5, 0, 1, 0},         {1.5, 0, 2, 1},             {1.5, 0, 3, 2},
    {1.5, 0, 4, 2},        {1.5, 0, 5, 3},         {1.5, 0, 14, 9},            {1.5, 0, 15, std::nullopt},
    {1.5, 145, 217, std::nullopt}, {1.5, 145, 218, 0}, {1.5, 145, 219, 1},     {1.5, 145, 220, 1},
    {1.5, 145, 221, 2},
    {1.25, 145, 181, std::nullopt}, {1.25, 145, 182, 0}, {1.25, 145, 183, 1}, {1.25, 145, 185, 3},
    {2.0, 0, 1, 0},        {2.0, 0, 2, 1},         {2.0, 0, 3, 1},             {2.0, 0, 20, std::nullopt},
    {2.0, 145, 289, std::nullopt}, {2.0, 145, 290, 0}, {2.0, 145, 291, 0},     {2.0, 145, 292, 1},
};

// A position in the units the scale multiplies: the screen pixel under it.
struct PositionCase {
    double position;
    double screenPixelsPerUnit;
    int screen;
};

constexpr PositionCase PositionCases[] = {
    {0.0, 1.5, 0},
    {0.5, 1.0, 0},
    {0.9998, 1.0, 0},               // inside its pixel, not on the edge
    {0.99995, 1.0, 1},              // a hair short of the edge: on it
    {-0.5, 1.0, -1},
    {2.0 / 1.5, 1.5, 2},            // an edge divided by the scale and multiplied back
    {double(7.0f / 1.25f), 1.25, 7},   // the same in a browser's single precision
    {double(401.0f / 1.5f), 1.5, 401},
    {5.9, 1.25, 7},                 // 7.375: inside screen pixel 7
    {267.5, 1.5, 401},              // 401.25
    {145.0 + 1.0 / 3.0, 1.5, 218},
};

} // namespace

TEST(FieldOnScreen, APressCountsAtTheFieldPixelItsScreenPixelShows)
{
    for (std::size_t i = 0; i < std::size(PressCases); ++i) {
        const PressCase& c = PressCases[i];
        SCOPED_TRACE("press case " + std::to_string(i));
        const FieldOnScreen field(c.scale, {c.first, c.first}, Size, Size);
        const std::optional<game::FieldPixel> at = field.pressAt(c.screen, c.screen);
        ASSERT_EQ(at.has_value(), c.field.has_value());
        if (at) {
            EXPECT_EQ(at->x, *c.field);
            EXPECT_EQ(at->y, *c.field);
        }
    }
}

TEST(FieldOnScreen, APositionIsOnTheScreenPixelItLiesInOrWhoseEdgeItIsAHairShortOf)
{
    for (std::size_t i = 0; i < std::size(PositionCases); ++i) {
        const PositionCase& c = PositionCases[i];
        EXPECT_EQ(FieldOnScreen::screenPixelAt(c.position, c.screenPixelsPerUnit), c.screen)
            << "position case " << i << ": " << c.position;
    }
}

TEST(FieldOnScreen, DrawingShowsEachFieldPixelOnTheScreenPixelsThatPressItAndNoOthers)
{
    for (const double scale : {1.0, 1.25, 1.5, 1.75, 2.0}) {
        for (const int first : {0, 145, 146}) {
            const FieldOnScreen field(scale, {first, first + 1}, Size, Size);
            SCOPED_TRACE("scale " + std::to_string(scale) + ", first " + std::to_string(first));
            for (int column = 0; column < Size; ++column) {
                const int from = field.firstScreenColumnOf(column);
                const int to = field.firstScreenColumnOf(column + 1);
                EXPECT_GE(to - from, 1) << "every field pixel is seen";
                for (int screen = from; screen < to; ++screen) {
                    EXPECT_EQ(field.columnShownBy(screen), column) << screen;
                    ASSERT_TRUE(field.pressAt(screen, field.firstScreenRowOf(0)).has_value()) << screen;
                    EXPECT_EQ(field.pressAt(screen, field.firstScreenRowOf(0))->x, column) << screen;
                }
            }
            EXPECT_FALSE(field.pressAt(field.firstScreenColumnOf(0) - 1, field.firstScreenRowOf(0)));
            EXPECT_FALSE(field.pressAt(field.firstScreenColumnOf(Size), field.firstScreenRowOf(0)));
            EXPECT_FALSE(field.pressAt(field.firstScreenColumnOf(0), field.firstScreenRowOf(0) - 1));
        }
    }
}

TEST(FieldOnScreen, FirstScreenPixelsAndTheEdgesHeldToTheField)
{
    const FieldOnScreen field(1.5, {0, 145}, Size, Size);
    EXPECT_EQ(field.firstScreenColumnOf(1), 2);
    EXPECT_EQ(field.firstScreenColumnOf(3), 5);
    EXPECT_EQ(field.firstScreenRowOf(0), 218);
    EXPECT_EQ(field.columnShownBy(-1), 0) << "left of the field: its first column";
    EXPECT_EQ(field.columnShownBy(40), 9) << "right of it: its last";
    EXPECT_EQ(field.rowShownBy(217), 0);
    EXPECT_EQ(field.rowShownBy(232), 9);
    EXPECT_EQ(game::FieldBorderWidth, 2);
    EXPECT_EQ(game::FieldPenWidth, 3);
}
