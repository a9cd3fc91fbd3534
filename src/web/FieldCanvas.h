// SPDX-License-Identifier: MIT
#pragma once

#include "Dom.h"

#include "runtime/PixelCanvas.h"

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
    static constexpr int BorderWidth = 2;
    static constexpr int PenWidth = 3;
    static constexpr double MaxStorePixels = 16777216;

    FieldCanvas(val parent, game::layout::TwipRect rect, rt::Rgb background);

    rt::PixelCanvas& picture() { return picture_; }
    val element() const { return element_; }

    // Screen pixels per field pixel: the device pixel ratio times the page's
    // own scale. Lays the backing store out anew and draws all of it.
    void setScale(double screenPixelsPerFieldPixel);
    // Draws what the game changed since the last call.
    void present();

    struct FieldPixel {
        float x;
        float y;
    };
    // The field pixel a press reaches, from the press's and the field's
    // top-left corner's viewport positions; nothing on the border.
    std::optional<FieldPixel> pressAt(double clientX, double clientY, double fieldLeft, double fieldTop,
                                      double devicePixelRatio) const;

private:
    static int fieldPixelOf(int pixel, double scale, int size);
    int firstStorePixelOf(int fieldPixel) const;
    void draw(const rt::PixelBounds& field);

    val element_;
    val context_;
    rt::PixelCanvas picture_;
    double scale_ = 0.0;                 // screen pixels per field pixel
    double storeScale_ = 0.0;            // backing store pixels per field pixel
    int storeWidth_ = 0;
    int storeHeight_ = 0;
    std::vector<std::uint8_t> store_;    // RGBA, row by row
    std::vector<int> columns_;           // field column of each store column
    std::vector<int> rows_;
};

} // namespace web
