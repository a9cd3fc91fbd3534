#pragma once

#include "DrawingArea.h"

#include <cstdint>
#include <functional>
#include <vector>

namespace rt {

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
    // Called once when the picture changes after the last markPresented().
    void setChangeListener(std::function<void()> listener) { changed_ = std::move(listener); }
    void markPresented() { dirty_ = false; }

private:
    struct Offset {
        std::int16_t dx;
        std::int16_t dy;
    };

    const std::vector<Offset>& outlineOffsets(int radius);
    void plot(int x, int y, std::uint32_t pixel);
    void touch();

    int width_;
    int height_;
    int penWidth_;
    Rgb background_;
    std::vector<std::uint32_t> pixels_;
    // Outlines of whole-numbered radii around a pixel middle, built once each:
    // a target is the same thirty shapes again and again.
    std::vector<std::vector<Offset>> outlineCache_;
    std::function<void()> changed_;
    bool dirty_ = false;
};

} // namespace rt
