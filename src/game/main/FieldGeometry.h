// SPDX-License-Identifier: MIT
#pragma once

#include <optional>

namespace game {

// The target field: a sunken frame of this width around the picture, and the
// pen width the game draws its rings with.
inline constexpr int FieldBorderWidth = 2;
inline constexpr int FieldPenWidth = 3;

struct FieldPixel {
    int x;
    int y;
};

// How the field's pixels lie on the screen's pixels. Screen pixels are counted
// from a corner that lies on a screen pixel's corner: the window's on the
// desktop, the field's own on the page. At `scale` screen pixels per pixel,
// screen pixel s shows pixel floor(s / scale) from that corner, and the field
// begins `first` pixels from it. A press on a screen pixel counts at the field
// pixel that screen pixel shows, so what the player sees is what scores.
class FieldOnScreen {
public:
    FieldOnScreen(double scale, FieldPixel first, int width, int height)
        : scale_(scale), first_(first), width_(width), height_(height)
    {
    }

    // The screen pixel under a position given in units of which
    // `screenPixelsPerUnit` screen pixels make one (the window's pixels on the
    // desktop, CSS pixels on the page), counted from the same origin. A
    // position on a pixel's edge can come back from a division by the scale a
    // hair short of that edge; it still belongs to the pixel the edge begins.
    static int screenPixelAt(double position, double screenPixelsPerUnit);

    // The field pixel a press on this screen pixel counts at; none when the
    // screen pixel shows no field pixel (the border, the window beyond).
    std::optional<FieldPixel> pressAt(int screenX, int screenY) const;

    // The field column or row a screen column or row shows, for drawing:
    // held to the field for the screen pixels along its edges.
    int columnShownBy(int screenX) const;
    int rowShownBy(int screenY) const;
    // The first screen column or row that shows the field column or row.
    int firstScreenColumnOf(int column) const;
    int firstScreenRowOf(int row) const;

private:
    int shownBy(int screenPixel) const;
    int firstScreenPixelOf(int pixelFromCorner) const;

    double scale_;
    FieldPixel first_;
    int width_;
    int height_;
};

} // namespace game
