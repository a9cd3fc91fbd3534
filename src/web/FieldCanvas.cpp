// SPDX-License-Identifier: MIT
#include "FieldCanvas.h"

#include <algorithm>
#include <cmath>

namespace web {

FieldCanvas::FieldCanvas(val parent, game::layout::TwipRect rect, rt::Rgb background)
    : element_(makeElement("canvas", parent, "Form1", "Picture1")),
      context_(element_.call<val>("getContext", val("2d"))),
      picture_(game::layout::toPixelRect(rect).width - 2 * BorderWidth,
               game::layout::toPixelRect(rect).height - 2 * BorderWidth, PenWidth, background)
{
    place(element_, rect);
    addClass(element_, "field");
    setScale(1.0);
}

int FieldCanvas::fieldPixelOf(int pixel, double scale, int size)
{
    return std::clamp(int(std::floor(pixel / scale)), 0, size - 1);
}

int FieldCanvas::firstStorePixelOf(int fieldPixel) const { return int(std::ceil(fieldPixel * storeScale_)); }

void FieldCanvas::setScale(double screenPixelsPerFieldPixel)
{
    scale_ = screenPixelsPerFieldPixel;
    const auto storeSide = [](int fieldPixels, double scale) { return std::max(1, int(std::lround(fieldPixels * scale))); };
    const bool fits = double(storeSide(picture_.innerWidth(), scale_)) * storeSide(picture_.innerHeight(), scale_)
                      < MaxStorePixels;
    storeScale_ = fits ? scale_ : 1.0;
    storeWidth_ = storeSide(picture_.innerWidth(), storeScale_);
    storeHeight_ = storeSide(picture_.innerHeight(), storeScale_);
    element_.set("width", storeWidth_);
    element_.set("height", storeHeight_);
    store_.assign(std::size_t(storeWidth_) * std::size_t(storeHeight_) * 4, 0);
    columns_.resize(std::size_t(storeWidth_));
    rows_.resize(std::size_t(storeHeight_));
    for (int x = 0; x < storeWidth_; ++x)
        columns_[std::size_t(x)] = fieldPixelOf(x, storeScale_, picture_.innerWidth());
    for (int y = 0; y < storeHeight_; ++y)
        rows_[std::size_t(y)] = fieldPixelOf(y, storeScale_, picture_.innerHeight());
    picture_.takeChangedBounds();
    draw({0, 0, picture_.innerWidth(), picture_.innerHeight()});
}

void FieldCanvas::present()
{
    const rt::PixelBounds changed = picture_.takeChangedBounds();
    if (!changed.isEmpty())
        draw(changed);
}

void FieldCanvas::draw(const rt::PixelBounds& field)
{
    const int left = std::clamp(firstStorePixelOf(field.left), 0, storeWidth_);
    const int right = field.right >= picture_.innerWidth() ? storeWidth_
                                                            : std::clamp(firstStorePixelOf(field.right), 0, storeWidth_);
    const int top = std::clamp(firstStorePixelOf(field.top), 0, storeHeight_);
    const int bottom = field.bottom >= picture_.innerHeight()
                           ? storeHeight_
                           : std::clamp(firstStorePixelOf(field.bottom), 0, storeHeight_);
    if (left >= right || top >= bottom)
        return;
    const std::uint32_t* pixels = picture_.pixels();
    for (int y = top; y < bottom; ++y) {
        const std::uint32_t* from = pixels + std::size_t(rows_[std::size_t(y)]) * std::size_t(picture_.innerWidth());
        std::uint8_t* to = store_.data() + (std::size_t(y) * std::size_t(storeWidth_) + std::size_t(left)) * 4;
        for (int x = left; x < right; ++x, to += 4) {
            const std::uint32_t pixel = from[columns_[std::size_t(x)]];
            to[0] = std::uint8_t(pixel >> 16);
            to[1] = std::uint8_t(pixel >> 8);
            to[2] = std::uint8_t(pixel);
            to[3] = 0xff;
        }
    }
    // An image over the program's own memory, valid until that memory grows.
    const val bytes(emscripten::typed_memory_view(store_.size(), store_.data()));
    const val clamped = val::global("Uint8ClampedArray").new_(bytes["buffer"], bytes["byteOffset"], store_.size());
    const val image = val::global("ImageData").new_(clamped, storeWidth_, storeHeight_);
    context_.call<void>("putImageData", image, 0, 0, left, top, right - left, bottom - top);
}

std::optional<FieldCanvas::FieldPixel> FieldCanvas::pressAt(double clientX, double clientY, double fieldLeft,
                                                            double fieldTop, double devicePixelRatio) const
{
    // Positions in the viewport's screen pixels. The field's corner lies on a
    // pixel corner; a press position may come a hair short of its pixel's
    // edge after the division by the ratio.
    constexpr double EdgeTolerance = 1e-4;
    const int screenX = int(std::floor(clientX * devicePixelRatio + EdgeTolerance))
                        - int(std::lround(fieldLeft * devicePixelRatio));
    const int screenY = int(std::floor(clientY * devicePixelRatio + EdgeTolerance))
                        - int(std::lround(fieldTop * devicePixelRatio));
    if (screenX < 0 || screenY < 0 || screenX >= std::lround(picture_.innerWidth() * scale_)
        || screenY >= std::lround(picture_.innerHeight() * scale_))
        return std::nullopt;
    return FieldPixel{float(fieldPixelOf(screenX, scale_, picture_.innerWidth())),
                      float(fieldPixelOf(screenY, scale_, picture_.innerHeight()))};
}

} // namespace web
