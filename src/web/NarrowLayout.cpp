// SPDX-License-Identifier: MIT
#include "NarrowLayout.h"

#include "game/layout/Form1Layout.h"

#include <algorithm>
#include <cmath>

namespace web {

namespace {

namespace form1 = game::layout::form1;

// The labels keep their design heights; the captions keep their fonts.
const double PunkteWidth = 64;
const double ScoreWidth = 2 * NarrowLayout::TouchSize;
const double HeadingHeight = game::layout::toPixelRect(form1::Label5).height;
const double CaptionHeight = game::layout::toPixelRect(form1::Label6).height;
const double PanelMinWidth = 3 * 96 + 2 * NarrowLayout::Gap;   // three buttons with their captions
// Buttons, score and slider, the slider's heading and captions and the credits.
const double PanelHeight = 3 * NarrowLayout::TouchSize + HeadingHeight + 2 * CaptionHeight + 3 * NarrowLayout::Gap + 4;

// The largest whole number of device pixels a field pixel that fits into
// the room, and at least one: a field pixel is never lost between screen pixels.
int wholeDevicePixels(double room, double ratio, int fieldPixels)
{
    return std::max(1, int(std::floor(room * ratio / fieldPixels + 1e-9)));
}

} // namespace

NarrowLayout::NarrowLayout(double viewportWidth, double viewportHeight, double ratio, int fieldWidth,
                           int fieldHeight, int border)
{
    const bool sideways = viewportWidth > viewportHeight;
    const double frame = 2.0 * border;
    if (sideways)
        devicePixels_ = std::min(
            wholeDevicePixels(viewportWidth - 3 * Margin - PanelMinWidth - frame, ratio, fieldWidth),
            wholeDevicePixels(viewportHeight - 2 * Margin - frame, ratio, fieldHeight));
    else
        devicePixels_ = std::min(wholeDevicePixels(viewportWidth - 2 * Margin - frame, ratio, fieldWidth),
                                 wholeDevicePixels(viewportHeight - 2 * Margin - Gap - PanelHeight - frame, ratio,
                                                   fieldHeight));
    field_.width = fieldWidth * devicePixels_ / ratio + frame;
    field_.height = fieldHeight * devicePixels_ / ratio + frame;
    if (sideways) {
        const double panelWidth = std::clamp(viewportWidth - 2 * Margin - 2 * Gap - field_.width, PanelMinWidth,
                                             PanelMaxWidth);
        field_.left = std::max(Margin, (viewportWidth - field_.width - 2 * Gap - panelWidth) / 2);
        field_.top = std::max(Margin, (viewportHeight - field_.height) / 2);
        placePanel(field_.right() + 2 * Gap, std::max(Margin, (viewportHeight - PanelHeight) / 2), panelWidth);
    } else {
        const double panelWidth = std::min({viewportWidth - 2 * Margin, std::max(field_.width, PanelMinWidth),
                                            PanelMaxWidth});
        field_.left = std::max(Margin, (viewportWidth - field_.width) / 2);
        field_.top = std::max(Margin, (viewportHeight - field_.height - Gap - PanelHeight) / 2);
        placePanel(std::max(Margin, (viewportWidth - panelWidth) / 2), field_.bottom() + Gap, panelWidth);
    }
    // On whole CSS pixels, which at a whole device pixel ratio are whole
    // device pixels: the page then needs no shift of its own.
    field_.left = std::round(field_.left);
    field_.top = std::round(field_.top);
    width_ = field_.right();
    height_ = field_.bottom();
    for (const Place& place : controls_) {
        width_ = std::max(width_, place.rect.right());
        height_ = std::max(height_, place.rect.bottom());
    }
    width_ += Margin;
    height_ += Margin;
}

// Start, Ende and Erklärung in a row; the score with its label; the slider
// under its heading and over its caption; the credits last.
void NarrowLayout::placePanel(double left, double top, double width)
{
    const double button = (width - 2 * Gap) / 3;
    double y = top;
    controls_[0] = {"Command1", {left, y, button, TouchSize}};
    controls_[1] = {"Command2", {left + button + Gap, y, button, TouchSize}};
    controls_[2] = {"Command3", {left + 2 * (button + Gap), y, button, TouchSize}};
    y += TouchSize + Gap;
    controls_[3] = {"Label3", {left, y + (TouchSize - CaptionHeight) / 2, PunkteWidth, CaptionHeight}};
    controls_[4] = {"Text5", {left + PunkteWidth, y, ScoreWidth, TouchSize}};
    y += TouchSize + Gap;
    controls_[5] = {"Label5", {left, y, width, HeadingHeight}};
    y += HeadingHeight;
    controls_[6] = {"HScroll1", {left, y, width, TouchSize}};
    y += TouchSize + 4;
    controls_[7] = {"Label6", {left, y, width, CaptionHeight}};
    y += CaptionHeight + Gap;
    controls_[8] = {"Label4", {left, y, width, CaptionHeight}};
}

} // namespace web
