// SPDX-License-Identifier: MIT
#include "FieldGeometry.h"

#include <algorithm>
#include <cmath>

namespace game {

namespace {

// How far short of a screen pixel's edge a position still counts as on it.
// Pointer positions reach the front ends divided by the scale (in single
// precision in a browser); no real pointer rests this close to an edge.
constexpr double EdgeTolerance = 1e-4;

} // namespace

int FieldOnScreen::screenPixelAt(double position, double screenPixelsPerUnit)
{
    return int(std::floor(position * screenPixelsPerUnit + EdgeTolerance));
}

int FieldOnScreen::shownBy(int screenPixel) const { return int(std::floor(screenPixel / scale_)); }

int FieldOnScreen::firstScreenPixelOf(int pixelFromCorner) const
{
    return int(std::ceil(pixelFromCorner * scale_));
}

std::optional<FieldPixel> FieldOnScreen::pressAt(int screenX, int screenY) const
{
    const FieldPixel pixel{shownBy(screenX) - first_.x, shownBy(screenY) - first_.y};
    if (pixel.x < 0 || pixel.y < 0 || pixel.x >= width_ || pixel.y >= height_)
        return std::nullopt;
    return pixel;
}

int FieldOnScreen::columnShownBy(int screenX) const { return std::clamp(shownBy(screenX) - first_.x, 0, width_ - 1); }
int FieldOnScreen::rowShownBy(int screenY) const { return std::clamp(shownBy(screenY) - first_.y, 0, height_ - 1); }
int FieldOnScreen::firstScreenColumnOf(int column) const { return firstScreenPixelOf(first_.x + column); }
int FieldOnScreen::firstScreenRowOf(int row) const { return firstScreenPixelOf(first_.y + row); }

} // namespace game
