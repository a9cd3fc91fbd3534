// SPDX-License-Identifier: MIT
#pragma once

#include "Controls.h"

namespace web {

// A secondary window inside the page: a dialog with its title bar over a
// client area of the design size, at its design place relative to the main
// window. Hidden until shown; shown, it comes in front of the others. A drag
// on its title bar moves it, as far as it stays inside the page's view.
class PageWindow {
public:
    // mainClientArea: where the main window's client area was designed, so
    // that both keep their distance on the page.
    PageWindow(val desk, const char* id, const char* caption, game::layout::TwipRect clientArea,
               game::layout::TwipRect mainClientArea, rt::Rgb backColor, std::span<const ControlDesign> controls);

    val control(std::string_view name) const { return controls_[name]; }
    bool isShown() const;
    void showInFront();
    void hide();
    // On a narrow screen the window is at most as wide as the view, with its
    // controls one under the other, and comes in the middle of the view;
    // otherwise at its design size and place. A window the player moved
    // stays where it was put, within the view.
    void setNarrow(bool narrow);

private:
    void grabbed(val event);
    void dragged(val event);
    void place();
    void moveTo(double left, double top);
    double deskScale() const;

    val desk_;
    val root_;
    val client_ = val::undefined();
    ControlSet controls_;
    val returnFocus_ = val::undefined();   // what had the keyboard before the window was shown
    double designLeft_;
    double designTop_;
    double designWidth_;
    double left_;
    double top_;
    bool narrow_ = false;
    bool moved_ = false;    // by the player
    bool dragging_ = false;
    double grabX_ = 0;      // the pointer's offset from the window's corner
    double grabY_ = 0;
};

} // namespace web
