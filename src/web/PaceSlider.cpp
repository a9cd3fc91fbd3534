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

} // namespace

PaceSlider::PaceSlider(val parent, Callback<void()> onChange)
    : element_(makeElement("div", parent, "Form1", "HScroll1")), onChange_(onChange),
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
    setSize(Bar.width, Bar.height);
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

void PaceSlider::setSize(double width, double height)
{
    width_ = width;
    height_ = height;
    const std::string arrow = std::to_string(arrowWidth()) + "px";
    setStyle(element_["children"][0], "width", arrow);
    setStyle(element_["children"][1], "width", arrow);
    setStyle(thumb_, "width", std::to_string(thumbWidth()) + "px");
    showThumbAt(thumbLeftFor(value_));
}

// The thumb shows the large step's share of the range, and stays wide enough to grip.
double PaceSlider::thumbWidth() const
{
    return std::max(height_ + 10, std::floor(trackWidth() * form1::SliderTrackStep
                                             / (form1::SliderMax - form1::SliderMin + form1::SliderTrackStep)));
}

double PaceSlider::thumbLeftFor(int value) const
{
    const double share = double(value - form1::SliderMin) / double(form1::SliderMax - form1::SliderMin);
    return arrowWidth() + share * (trackWidth() - thumbWidth());
}

int PaceSlider::valueAt(double thumbLeft) const
{
    const double share = std::clamp((thumbLeft - arrowWidth()) / (trackWidth() - thumbWidth()), 0.0, 1.0);
    return form1::SliderMin + int(std::lround(share * (form1::SliderMax - form1::SliderMin)));
}

// Also when the page is scaled.
double PaceSlider::positionOf(const val& event) const
{
    const val box = element_.call<val>("getBoundingClientRect");
    const double shown = box["width"].as<double>();
    return (event["clientX"].as<double>() - box["left"].as<double>()) * (shown > 0 ? width_ / shown : 1.0);
}

void PaceSlider::showThumbAt(double left) { setStyle(thumb_, "left", std::to_string(left) + "px"); }

void PaceSlider::pressed(val event)
{
    if (event["button"].as<int>() != 0)
        return;   // other buttons belong to the window
    event.call<void>("preventDefault");
    element_.call<void>("focus");
    const double x = positionOf(event);
    const double thumbLeft = thumbLeftFor(value_);
    if (x < arrowWidth())
        setValue(value_ - form1::SliderArrowStep);
    else if (x >= width_ - arrowWidth())
        setValue(value_ + form1::SliderArrowStep);
    else if (x < thumbLeft)
        setValue(value_ - form1::SliderTrackStep);
    else if (x >= thumbLeft + thumbWidth())
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
    showThumbAt(std::clamp(positionOf(event) - dragOffset_, arrowWidth(), arrowWidth() + trackWidth() - thumbWidth()));
}

void PaceSlider::released(val event)
{
    if (!dragging_)
        return;
    dragging_ = false;
    setValue(valueAt(positionOf(event) - dragOffset_));
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
