#include "PixelCanvas.h"

#include <algorithm>
#include <cmath>

namespace rt {

namespace {

constexpr int MaxCachedRadius = 64;

bool onOutline(double dx, double dy, double radius, double halfPen)
{
    return std::abs(std::hypot(dx, dy) - radius) <= halfPen;
}

} // namespace

PixelCanvas::PixelCanvas(int width, int height, int penWidth, Rgb background)
    : width_(std::max(width, 0)), height_(std::max(height, 0)), penWidth_(std::max(penWidth, 1)),
      background_(background), pixels_(std::size_t(width_) * std::size_t(height_), toPixel(background)),
      outlineCache_(MaxCachedRadius + 1)
{
}

void PixelCanvas::setBackColor(Rgb color)
{
    background_ = color;
    cls();
}

void PixelCanvas::cls()
{
    std::fill(pixels_.begin(), pixels_.end(), toPixel(background_));
    touch();
}

const std::vector<PixelCanvas::Offset>& PixelCanvas::outlineOffsets(int radius)
{
    std::vector<Offset>& offsets = outlineCache_[std::size_t(radius)];
    if (offsets.empty()) {
        const double halfPen = penWidth_ / 2.0;
        const int reach = int(std::floor(radius + halfPen));
        for (int dy = -reach; dy <= reach; ++dy)
            for (int dx = -reach; dx <= reach; ++dx)
                if (onOutline(dx, dy, radius, halfPen))
                    offsets.push_back({std::int16_t(dx), std::int16_t(dy)});
    }
    return offsets;
}

void PixelCanvas::plot(int x, int y, std::uint32_t pixel)
{
    if (x >= 0 && y >= 0 && x < width_ && y < height_)
        pixels_[std::size_t(y) * std::size_t(width_) + std::size_t(x)] = pixel;
}

void PixelCanvas::circle(float x, float y, float radius, Rgb color)
{
    const std::uint32_t pixel = toPixel(color);
    const bool wholeNumbers = x == std::floor(x) && y == std::floor(y) && radius == std::floor(radius);
    if (wholeNumbers && radius >= 0 && radius <= MaxCachedRadius && std::abs(x) < 1e6f && std::abs(y) < 1e6f) {
        const int cx = int(x);
        const int cy = int(y);
        for (const Offset& o : outlineOffsets(int(radius)))
            plot(cx + o.dx, cy + o.dy, pixel);
    } else {
        // Any other circle: test each pixel of its bounding square, clipped to the area.
        const double halfPen = penWidth_ / 2.0;
        const double reach = std::abs(double(radius)) + halfPen;
        const int left = int(std::max(0.0, std::ceil(x - reach)));
        const int right = int(std::min(double(width_ - 1), std::floor(x + reach)));
        const int top = int(std::max(0.0, std::ceil(y - reach)));
        const int bottom = int(std::min(double(height_ - 1), std::floor(y + reach)));
        for (int py = top; py <= bottom; ++py)
            for (int px = left; px <= right; ++px)
                if (onOutline(px - double(x), py - double(y), std::abs(double(radius)), halfPen))
                    plot(px, py, pixel);
    }
    touch();
}

Rgb PixelCanvas::point(float x, float y) const
{
    const double px = std::floor(double(x));
    const double py = std::floor(double(y));
    if (px < 0 || py < 0 || px >= width_ || py >= height_)
        return RGB(0, 0, 0);
    return fromPixel(pixels_[std::size_t(py) * std::size_t(width_) + std::size_t(px)]);
}

void PixelCanvas::touch()
{
    if (!dirty_) {
        dirty_ = true;
        if (changed_)
            changed_();
    }
}

} // namespace rt
