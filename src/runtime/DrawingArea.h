// SPDX-License-Identifier: MIT
#pragma once

#include "Colors.h"

namespace rt {

// The target field as the game sees it: a picture of whole pixels whose
// coordinates are pixels of its inner area. Pixel (x, y) has its middle at
// the point (x, y).
class DrawingArea {
public:
    virtual ~DrawingArea() = default;

    virtual int innerWidth() const = 0;
    virtual int innerHeight() const = 0;
    // Sets the background colour and erases all drawing.
    virtual void setBackColor(Rgb color) = 0;
    // Clears to the background colour.
    virtual void cls() = 0;
    // Circle outline drawn with the area's pen width, without fill.
    virtual void circle(float x, float y, float radius, Rgb color) = 0;
    // Colour of the pixel at (x, y); black outside the area.
    virtual Rgb point(float x, float y) const = 0;
};

} // namespace rt
