// SPDX-License-Identifier: MIT
#pragma once

#include "Controls.h"

namespace web {

// A secondary window inside the page: a dialog with its title bar over a
// client area of the design size, at its design place relative to the main
// window. Hidden until shown; shown, it comes in front of the others.
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

private:
    val root_;
    val client_ = val::undefined();
    ControlSet controls_;
    val returnFocus_ = val::undefined();   // what had the keyboard before the window was shown
};

} // namespace web
