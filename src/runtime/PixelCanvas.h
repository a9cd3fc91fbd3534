// SPDX-License-Identifier: MIT
#pragma once

#include "DrawingArea.h"

#include <cstdint>
#include <functional>
#include <vector>

namespace rt {

// A rectangle of pixels, right and bottom exclusive.
struct PixelBounds {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;

    bool isEmpty() const { return right <= left || bottom <= top; }
    void unite(const PixelBounds& other);
};

// A drawing area kept as an image in memory, one 32-bit word (0xffRRGGBB)
// per pixel, row by row. Circles are rasterised without antialiasing: a
// pixel belongs to the outline when its middle lies within half the pen width
// of the circle, so each pixel is either untouched or exactly the pen colour,
// and an outline is symmetric about its centre.
class PixelCanvas final : public DrawingArea {
public:
    PixelCanvas(int width, int height, int penWidth, Rgb background);

    int innerWidth() const override { return width_; }
    int innerHeight() const override { return height_; }
    void setBackColor(Rgb color) override;
    void cls() override;
    void circle(float x, float y, float radius, Rgb color) override;
    Rgb point(float x, float y) const override;

    Rgb backColor() const { return background_; }
    int penWidth() const { return penWidth_; }
    const std::uint32_t* pixels() const { return pixels_.data(); }

    // The listener is called once when the picture changes after the last
    // takeChangedBounds(); the owner then collects what changed.
    void setChangeListener(std::function<void()> listener) { changed_ = std::move(listener); }
    PixelBounds takeChangedBounds();

private:
    struct Offset {
        std::int16_t dx;
        std::int16_t dy;
    };
    // The pixels of an outline of whole-numbered radius around a pixel middle.
    struct Outline {
        int reach = -1;                     // -1: not built yet
        std::vector<Offset> offsets;        // for outlines cut by the edge
        std::vector<std::ptrdiff_t> steps;  // the same as steps in the pixel array
    };

    const Outline& outline(int radius);
    void circleAnyWhere(float x, float y, float radius, std::uint32_t pixel);
    void plot(int x, int y, std::uint32_t pixel);
    void changed(const PixelBounds& bounds);
    PixelBounds clip(PixelBounds bounds) const;

    int width_;
    int height_;
    int penWidth_;
    Rgb background_;
    Rgb filledWith_;
    std::vector<std::uint32_t> pixels_;
    // Built once each: a target is the same thirty shapes again and again.
    std::vector<Outline> outlines_;
    // Everything drawn since the last clear; a clear needs to fill no more.
    PixelBounds drawn_;
    PixelBounds pendingChange_;
    std::function<void()> changed_;
};

} // namespace rt
