// SPDX-License-Identifier: MIT
#pragma once

#include "Dom.h"

#include <span>
#include <string_view>
#include <utility>
#include <vector>

namespace web {

// One control of a window as designed: what it is, its caption or text, its
// place, font and colour, and how it starts.
struct ControlDesign {
    enum Kind { Button, TextBox, Label, Frame, Option };
    enum Flag : unsigned { Hidden = 1, Centred = 2, Selected = 4 };

    Kind kind;
    const char* name;
    const char* text;
    game::layout::TwipRect rect;
    game::layout::FontSpec font = game::layout::DefaultFont;
    unsigned flags = 0;
    const char* accessibleName = nullptr;   // for controls that show no caption of their own
    rt::Rgb color = rt::RGB(0, 0, 0);
};

// The controls of a window's client area, made from their designs in order,
// which is also the order of the tab key. An option goes into the frame made
// last before it. Labels lie beneath the other controls and take no presses.
class ControlSet {
public:
    ControlSet(val client, const char* window) : client_(std::move(client)), window_(window) {}

    void add(std::span<const ControlDesign> designs);
    // The control of that name; undefined when there is none.
    const val& operator[](std::string_view name) const;

private:
    val make(const ControlDesign& design, const val& frame) const;

    val client_;
    const char* window_;
    std::vector<std::pair<std::string_view, val>> controls_;
};

} // namespace web
