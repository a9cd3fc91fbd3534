// SPDX-License-Identifier: MIT
#include "FieldCanvas.h"

#include <algorithm>
#include <cmath>

namespace web {

FieldCanvas::FieldCanvas(val parent, game::layout::TwipRect rect, rt::Rgb background)
    : element_(makeElement("canvas", parent, "Form1", "Picture1")),
      context_(element_.call<val>("getContext", val("2d"))),
      picture_(game::layout::toPixelRect(rect).width - 2 * game::FieldBorderWidth,
               game::layout::toPixelRect(rect).height - 2 * game::FieldBorderWidth, game::FieldPenWidth, background),
      onScreen_(1.0, {0, 0}, picture_.innerWidth(), picture_.innerHeight()),
      inStore_(onScreen_)
{
    place(element_, rect);
    addClass(element_, "field");
    setScale(1.0);
}

void FieldCanvas::setScale(double screenPixelsPerFieldPixel, double screenPixelsPerCssPixel)
{
    const double perCss = screenPixelsPerCssPixel;
    // Browsers round a border's width their own way (Firefox to whole screen
    // pixels, Chromium to whole CSS pixels): the box is sized around the one
    // this browser draws.
    const val style = val::global("getComputedStyle")(element_);
    borderWidth_ = val::global("parseFloat")(style["borderLeftWidth"]).as<double>();
    if (!(borderWidth_ >= 0))   // not yet styled: the page lays it out again once it is
        borderWidth_ = game::FieldBorderWidth;
    const int width = picture_.innerWidth();
    const int height = picture_.innerHeight();
    const auto side = [](int fieldPixels, double scale) { return std::max(1, int(std::lround(fieldPixels * scale))); };
    screenWidth_ = side(width, screenPixelsPerFieldPixel);
    screenHeight_ = side(height, screenPixelsPerFieldPixel);
    onScreen_ = game::FieldOnScreen(screenPixelsPerFieldPixel, {0, 0}, width, height);
    const bool fits = double(screenWidth_) * double(screenHeight_) < MaxStorePixels;
    const double storeScale = fits ? screenPixelsPerFieldPixel : 1.0;
    inStore_ = game::FieldOnScreen(storeScale, {0, 0}, width, height);
    storeWidth_ = side(width, storeScale);
    storeHeight_ = side(height, storeScale);
    element_.set("width", storeWidth_);
    element_.set("height", storeHeight_);
    setStyle(element_, "width", pixels(screenWidth_ / perCss + 2 * borderWidth_));
    setStyle(element_, "height", pixels(screenHeight_ / perCss + 2 * borderWidth_));
    store_.assign(std::size_t(storeWidth_) * std::size_t(storeHeight_) * 4, 0);
    columns_.resize(std::size_t(storeWidth_));
    rows_.resize(std::size_t(storeHeight_));
    for (int x = 0; x < storeWidth_; ++x)
        columns_[std::size_t(x)] = inStore_.columnShownBy(x);
    for (int y = 0; y < storeHeight_; ++y)
        rows_[std::size_t(y)] = inStore_.rowShownBy(y);
    picture_.takeChangedBounds();
    draw({0, 0, width, height});
}

void FieldCanvas::present()
{
    const rt::PixelBounds changed = picture_.takeChangedBounds();
    if (!changed.isEmpty())
        draw(changed);
}

void FieldCanvas::draw(const rt::PixelBounds& field)
{
    const int left = std::clamp(inStore_.firstScreenColumnOf(field.left), 0, storeWidth_);
    const int right = field.right >= picture_.innerWidth()
                          ? storeWidth_
                          : std::clamp(inStore_.firstScreenColumnOf(field.right), 0, storeWidth_);
    const int top = std::clamp(inStore_.firstScreenRowOf(field.top), 0, storeHeight_);
    const int bottom = field.bottom >= picture_.innerHeight()
                           ? storeHeight_
                           : std::clamp(inStore_.firstScreenRowOf(field.bottom), 0, storeHeight_);
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
    const val bytes = val::memoryView(store_.data(), store_.size());
    const val clamped = val::global("Uint8ClampedArray").new_(bytes["buffer"], bytes["byteOffset"], store_.size());
    const val image = val::global("ImageData").new_(clamped, storeWidth_, storeHeight_);
    context_.call<void>("putImageData", image, 0, 0, left, top, right - left, bottom - top);
}

FieldCanvas::Corner FieldCanvas::pictureCorner(double windowScale) const
{
    const auto [left, top] = element_.call<val>("getBoundingClientRect").numbers({"left", "top"});
    return insideBorder(left, top, windowScale);
}

FieldCanvas::Corner FieldCanvas::insideBorder(double left, double top, double windowScale) const
{
    const double border = borderWidth_ * windowScale;
    return {left + border, top + border};
}

std::optional<game::FieldPixel> FieldCanvas::pressAt(const Press& press, double windowScale) const
{
    // In the viewport's screen pixels, counted from the picture's corner
    // inside the border, which the page keeps on the nearest pixel corner.
    using game::FieldOnScreen;
    const double ratio = press.devicePixelRatio;
    const Corner corner = insideBorder(press.left, press.top, windowScale);
    const int screenX = FieldOnScreen::screenPixelAt(press.clientX, ratio) - int(std::lround(corner.left * ratio));
    const int screenY = FieldOnScreen::screenPixelAt(press.clientY, ratio) - int(std::lround(corner.top * ratio));
    if (screenX >= screenWidth_ || screenY >= screenHeight_)
        return std::nullopt;   // beyond the canvas, which may end a screen pixel short of the field
    return onScreen_.pressAt(screenX, screenY);
}

} // namespace web
