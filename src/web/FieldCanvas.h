// SPDX-License-Identifier: MIT
#pragma once

#include "Dom.h"

#include "runtime/PixelCanvas.h"
#include "game/main/FieldGeometry.h"

#include <cstdint>
#include <optional>
#include <vector>

namespace web {

// The target field: a canvas in a sunken border whose backing store has one
// pixel per screen pixel. The game draws into the field's picture of whole
// field pixels; each screen pixel s shows field pixel floor(s / scale),
// counted from the field's top-left screen pixel, and a press on a screen
// pixel counts at the field pixel it shows. The page keeps the field's
// top-left corner on a screen pixel's corner. WebKit refuses a backing store
// of MaxStorePixels or more: where the screen would need that many (a zoom
// far beyond any screen's ratio), the store holds one pixel per field pixel,
// which the browser enlarges whole.
class FieldCanvas {
public:
    static constexpr double MaxStorePixels = 16777216;

    FieldCanvas(val parent, game::layout::TwipRect rect, rt::Rgb background);

    rt::PixelCanvas& picture() { return picture_; }
    val element() const { return element_; }

    // Screen pixels per field pixel: the device pixel ratio times the page's
    // own scale. Lays the backing store out anew and draws all of it.
    // screenPixelsPerCssPixel: the device pixel ratio times the scale of the
    // window the field is laid out in. The canvas's box is sized to hold the
    // backing store exactly inside the border the browser draws, which it
    // would otherwise stretch where the browser rounds the border's width.
    void setScale(double screenPixelsPerFieldPixel, double screenPixelsPerCssPixel = 1.0);
    // The viewport position of the picture's top-left corner, inside the
    // border, in a window the page shows at windowScale.
    struct Corner {
        double left;
        double top;
    };
    Corner pictureCorner(double windowScale) const;
    // Draws what the game changed since the last call.
    void present();

    // The field pixel a press reaches in a window the page shows at
    // windowScale; nothing on the border.
    std::optional<game::FieldPixel> pressAt(const Press& press, double windowScale) const;

private:
    Corner insideBorder(double left, double top, double windowScale) const;
    void draw(const rt::PixelBounds& field);

    val element_;
    val context_;
    rt::PixelCanvas picture_;
    game::FieldOnScreen onScreen_;       // presses, on the screen's pixels
    game::FieldOnScreen inStore_;        // drawing, on the backing store's pixels
    int screenWidth_ = 0;
    int screenHeight_ = 0;
    double borderWidth_ = game::FieldBorderWidth;
    int storeWidth_ = 0;
    int storeHeight_ = 0;
    std::vector<std::uint8_t> store_;    // RGBA, row by row
    std::vector<int> columns_;           // field column of each store column
    std::vector<int> rows_;
};

} // namespace web
