// SPDX-License-Identifier: MIT
#include "PaceSlider.h"

#include "game/Pace.h"
#include "game/layout/Form1Layout.h"

#include <algorithm>
#include <cmath>

namespace web {

namespace form1 = game::layout::form1;

namespace {

const game::layout::PixelRect Bar = game::layout::toPixelRect(form1::HScroll1);
const int ArrowWidth = Bar.height;
const int TrackWidth = Bar.width - 2 * ArrowWidth;
// The thumb shows the large step's share of the range, and stays wide enough to grip.
const int ThumbWidth = std::max(Bar.height + 10, TrackWidth * form1::SliderTrackStep
                                                   / (form1::SliderMax - form1::SliderMin + form1::SliderTrackStep));

} // namespace

PaceSlider::PaceSlider(val parent, std::function<void()> onChange)
    : element_(makeElement("div", parent, "Form1", "HScroll1")), onChange_(std::move(onChange)),
      value_(form1::SliderMin)
{
    place(element_, form1::HScroll1);
    addClass(element_, "scrollbar");
    setAttribute(element_, "role", "slider");
    setAttribute(element_, "tabindex", "0");
    setAttribute(element_, "aria-label", form1::accessible::HScroll1);
    setAttribute(element_, "aria-orientation", "horizontal");
    setAttribute(element_, "aria-valuemin", form1::SliderMin);
    setAttribute(element_, "aria-valuemax", form1::SliderMax);
    addClass(makeElement("div", element_, "", nullptr), "arrow");
    addClass(makeElement("div", element_, "", nullptr), "arrow");
    thumb_ = makeElement("div", element_, "", nullptr);
    addClass(thumb_, "thumb");
    setStyle(thumb_, "width", std::to_string(ThumbWidth) + "px");
    listen(element_, "pointerdown", [this](val event) { pressed(event); });
    listen(element_, "pointermove", [this](val event) { dragged(event); });
    listen(element_, "pointerup", [this](val event) { released(event); });
    listen(element_, "pointercancel", [this](val) {   // the drag is given up: the value stays
        dragging_ = false;
        showThumbAt(thumbLeftFor(value_));
    });
    listen(element_, "keydown", [this](val event) { keyPressed(event); });
    setValue(form1::SliderMin);
}

void PaceSlider::setValue(int value)
{
    value = std::clamp(value, form1::SliderMin, form1::SliderMax);
    const bool changed = value != value_;
    value_ = value;
    setAttribute(element_, "aria-valuenow", value_);
    setAttribute(element_, "aria-valuetext", game::paceText(value_) + form1::accessible::HScroll1Directions);
    showThumbAt(thumbLeftFor(value_));
    if (changed)
        onChange_();
}

double PaceSlider::thumbLeftFor(int value) const
{
    const double share = double(value - form1::SliderMin) / double(form1::SliderMax - form1::SliderMin);
    return ArrowWidth + share * (TrackWidth - ThumbWidth);
}

int PaceSlider::valueAt(double thumbLeft) const
{
    const double share = std::clamp((thumbLeft - ArrowWidth) / double(TrackWidth - ThumbWidth), 0.0, 1.0);
    return form1::SliderMin + int(std::lround(share * (form1::SliderMax - form1::SliderMin)));
}

void PaceSlider::showThumbAt(double left) { setStyle(thumb_, "left", std::to_string(left) + "px"); }

void PaceSlider::pressed(val event)
{
    if (event["button"].as<int>() != 0)
        return;   // other buttons belong to the window
    event.call<void>("preventDefault");
    element_.call<void>("focus");
    // In the bar's own pixels, also when the page is scaled.
    const val box = element_.call<val>("getBoundingClientRect");
    const double x = (event["clientX"].as<double>() - box["left"].as<double>()) * Bar.width / box["width"].as<double>();
    const double thumbLeft = thumbLeftFor(value_);
    if (x < ArrowWidth)
        setValue(value_ - form1::SliderArrowStep);
    else if (x >= Bar.width - ArrowWidth)
        setValue(value_ + form1::SliderArrowStep);
    else if (x < thumbLeft)
        setValue(value_ - form1::SliderTrackStep);
    else if (x >= thumbLeft + ThumbWidth)
        setValue(value_ + form1::SliderTrackStep);
    else {
        dragging_ = true;
        dragOffset_ = x - thumbLeft;
        element_.call<void>("setPointerCapture", event["pointerId"]);
    }
}

void PaceSlider::dragged(val event)
{
    if (!dragging_)
        return;
    const val box = element_.call<val>("getBoundingClientRect");
    const double x = (event["clientX"].as<double>() - box["left"].as<double>()) * Bar.width / box["width"].as<double>();
    showThumbAt(std::clamp(x - dragOffset_, double(ArrowWidth), double(ArrowWidth + TrackWidth - ThumbWidth)));
}

void PaceSlider::released(val event)
{
    if (!dragging_)
        return;
    dragging_ = false;
    const val box = element_.call<val>("getBoundingClientRect");
    const double x = (event["clientX"].as<double>() - box["left"].as<double>()) * Bar.width / box["width"].as<double>();
    setValue(valueAt(x - dragOffset_));
    showThumbAt(thumbLeftFor(value_));
}

void PaceSlider::keyPressed(val event)
{
    const std::string key = event["key"].as<std::string>();
    int next = value_;
    if (key == "ArrowLeft" || key == "ArrowDown")
        next -= form1::SliderArrowStep;
    else if (key == "ArrowRight" || key == "ArrowUp")
        next += form1::SliderArrowStep;
    else if (key == "PageDown")
        next -= form1::SliderTrackStep;
    else if (key == "PageUp")
        next += form1::SliderTrackStep;
    else if (key == "Home")
        next = form1::SliderMin;
    else if (key == "End")
        next = form1::SliderMax;
    else
        return;
    event.call<void>("preventDefault");
    setValue(next);
}

} // namespace web
