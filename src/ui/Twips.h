// SPDX-License-Identifier: MIT
#pragma once

#include <QColor>
#include <QRect>

#include "runtime/Colors.h"

namespace ui {

// Window coordinates are designed in twips; the screen has 15 twips per pixel.
inline constexpr int TwipsPerPixel = 15;

struct TwipRect {
    int left;
    int top;
    int width;
    int height;
};

constexpr int toPixels(int twips) { return (twips + TwipsPerPixel / 2) / TwipsPerPixel; }

constexpr QRect toPixels(TwipRect r)
{
    return {toPixels(r.left), toPixels(r.top), toPixels(r.width), toPixels(r.height)};
}

inline QColor toQColor(rt::Rgb c) { return QColor(c.r, c.g, c.b); }

} // namespace ui
