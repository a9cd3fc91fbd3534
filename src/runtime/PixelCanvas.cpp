// SPDX-License-Identifier: MIT
#include "PixelCanvas.h"

#include "RuntimeError.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace rt {

namespace {

constexpr int MaxCachedRadius = 64;

bool onOutline(double dx, double dy, double radius, double halfPen)
{
    return std::abs(std::hypot(dx, dy) - radius) <= halfPen;
}

// A circle whose edge lies beyond the pixel numbers the program can count, or
// that is not a number at all, overflows like any other such number.
int pixelCoordinate(double value)
{
    if (!(value >= std::numeric_limits<int>::min() && value <= std::numeric_limits<int>::max()))
        raiseRuntimeError(ErrorCode::Overflow);
    return int(value);
}

} // namespace

void PixelBounds::unite(const PixelBounds& other)
{
    if (other.isEmpty())
        return;
    if (isEmpty()) {
        *this = other;
        return;
    }
    left = std::min(left, other.left);
    top = std::min(top, other.top);
    right = std::max(right, other.right);
    bottom = std::max(bottom, other.bottom);
}

PixelCanvas::PixelCanvas(int width, int height, int penWidth, Rgb background)
    : width_(std::max(width, 0)), height_(std::max(height, 0)), penWidth_(std::max(penWidth, 1)),
      background_(background), filledWith_(background),
      pixels_(std::size_t(width_) * std::size_t(height_), toPixel(background)), outlines_(MaxCachedRadius + 1)
{
}

void PixelCanvas::setBackColor(Rgb color)
{
    background_ = color;
    cls();
}

void PixelCanvas::cls()
{
    const std::uint32_t pixel = toPixel(background_);
    PixelBounds cleared{0, 0, width_, height_};
    if (filledWith_ == background_)
        cleared = drawn_;   // the rest still holds the background
    for (int y = cleared.top; y < cleared.bottom; ++y) {
        auto row = pixels_.begin() + std::ptrdiff_t(y) * width_;
        std::fill(row + cleared.left, row + cleared.right, pixel);
    }
    filledWith_ = background_;
    drawn_ = {};
    changed(cleared);
}

const PixelCanvas::Outline& PixelCanvas::outline(int radius)
{
    Outline& outline = outlines_[std::size_t(radius)];
    if (outline.reach < 0) {
        const double halfPen = penWidth_ / 2.0;
        outline.reach = int(std::floor(radius + halfPen));
        for (int dy = -outline.reach; dy <= outline.reach; ++dy) {
            for (int dx = -outline.reach; dx <= outline.reach; ++dx) {
                if (onOutline(dx, dy, radius, halfPen)) {
                    outline.offsets.push_back({std::int16_t(dx), std::int16_t(dy)});
                    outline.steps.push_back(std::ptrdiff_t(dy) * width_ + dx);
                }
            }
        }
    }
    return outline;
}

void PixelCanvas::plot(int x, int y, std::uint32_t pixel)
{
    if (x >= 0 && y >= 0 && x < width_ && y < height_)
        pixels_[std::size_t(y) * std::size_t(width_) + std::size_t(x)] = pixel;
}

PixelBounds PixelCanvas::clip(PixelBounds b) const
{
    b.left = std::max(b.left, 0);
    b.top = std::max(b.top, 0);
    b.right = std::min(b.right, width_);
    b.bottom = std::min(b.bottom, height_);
    return b;
}

void PixelCanvas::circle(float x, float y, float radius, Rgb color)
{
    const std::uint32_t pixel = toPixel(color);
    const bool wholeNumbers = x == std::floor(x) && y == std::floor(y) && radius == std::floor(radius);
    const bool nearby = std::abs(x) < 1e6f && std::abs(y) < 1e6f;
    if (!wholeNumbers || !nearby || radius < 0 || radius > MaxCachedRadius) {
        circleAnyWhere(x, y, radius, pixel);
        return;
    }
    const int cx = int(x);
    const int cy = int(y);
    const Outline& shape = outline(int(radius));
    const PixelBounds bounds{cx - shape.reach, cy - shape.reach, cx + shape.reach + 1, cy + shape.reach + 1};
    if (bounds.left >= 0 && bounds.top >= 0 && bounds.right <= width_ && bounds.bottom <= height_) {
        std::uint32_t* centre = pixels_.data() + std::ptrdiff_t(cy) * width_ + cx;
        for (const std::ptrdiff_t step : shape.steps)
            centre[step] = pixel;
    } else {
        for (const Offset& o : shape.offsets)
            plot(cx + o.dx, cy + o.dy, pixel);
    }
    const PixelBounds touched = clip(bounds);
    drawn_.unite(touched);
    changed(touched);
}

// Any other circle: each pixel of its bounding square, clipped to the area.
void PixelCanvas::circleAnyWhere(float x, float y, float radius, std::uint32_t pixel)
{
    const double halfPen = penWidth_ / 2.0;
    const double r = std::abs(double(radius));
    const double reach = r + halfPen;
    const int left = std::max(0, pixelCoordinate(std::ceil(x - reach)));
    const int right = std::min(width_ - 1, pixelCoordinate(std::floor(x + reach)));
    const int top = std::max(0, pixelCoordinate(std::ceil(y - reach)));
    const int bottom = std::min(height_ - 1, pixelCoordinate(std::floor(y + reach)));
    for (int py = top; py <= bottom; ++py)
        for (int px = left; px <= right; ++px)
            if (onOutline(px - double(x), py - double(y), r, halfPen))
                plot(px, py, pixel);
    const PixelBounds touched = clip({left, top, right + 1, bottom + 1});
    drawn_.unite(touched);
    changed(touched);
}

Rgb PixelCanvas::point(float x, float y) const
{
    const double px = std::floor(double(x));
    const double py = std::floor(double(y));
    if (!(px >= 0 && py >= 0 && px < width_ && py < height_))
        return RGB(0, 0, 0);
    return fromPixel(pixels_[std::size_t(py) * std::size_t(width_) + std::size_t(px)]);
}

void PixelCanvas::changed(const PixelBounds& bounds)
{
    if (bounds.isEmpty())
        return;
    const bool first = pendingChange_.isEmpty();
    pendingChange_.unite(bounds);
    if (first && changed_)
        changed_();
}

PixelBounds PixelCanvas::takeChangedBounds()
{
    const PixelBounds taken = pendingChange_;
    pendingChange_ = {};
    return taken;
}

} // namespace rt
