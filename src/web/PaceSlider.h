// SPDX-License-Identifier: MIT
#pragma once

#include "Dom.h"


namespace web {

// The pace slider, a horizontal scroll bar: an arrow at each end moves the
// value by the small step, a press in the track by the large step towards
// the press, and a dragged thumb changes the value where it is let go. The
// keys: left and down go a small step to the left, right and up one to the
// right, Page Down and Page Up a large step, Home and End to the ends.
class PaceSlider {
public:
    PaceSlider(val parent, Callback<void()> onChange);

    val element() const { return element_; }
    int value() const { return value_; }
    // Lays the bar's parts out for the size in CSS pixels it is placed at:
    // the arrows square, the thumb the large step's share of the track.
    void setSize(double width, double height);
    // Calls the change handler when the value changes; clamped to the range.
    void setValue(int value);

private:
    void pressed(val event);
    void keyPressed(val event);
    void dragged(val event);
    void released(val event);
    void showThumbAt(double left);
    double thumbLeftFor(int value) const;
    int valueAt(double thumbLeft) const;
    double arrowWidth() const { return height_; }
    double trackWidth() const { return width_ - 2 * height_; }
    double thumbWidth() const;
    // A press's position along the bar in its own CSS pixels.
    double positionOf(const val& event) const;

    val element_;
    val thumb_ = val::undefined();
    Callback<void()> onChange_;
    int value_;
    double width_ = 0;
    double height_ = 0;
    bool dragging_ = false;
    double dragOffset_ = 0.0;   // pointer position in the thumb
};

} // namespace web
