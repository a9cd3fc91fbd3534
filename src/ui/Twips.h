// SPDX-License-Identifier: MIT
#pragma once

#include <QColor>
#include <QRect>

#include "runtime/Colors.h"
#include "game/layout/Design.h"

namespace ui {

using game::layout::TwipRect;
using game::layout::TwipsPerPixel;
using game::layout::toPixels;

constexpr QRect toPixels(TwipRect r)
{
    return {toPixels(r.left), toPixels(r.top), toPixels(r.width), toPixels(r.height)};
}

inline QColor toQColor(rt::Rgb c) { return QColor(c.r, c.g, c.b); }

} // namespace ui
