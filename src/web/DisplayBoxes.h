// SPDX-License-Identifier: MIT
#pragma once

#include "JsValue.h"

#include "game/Ports.h"

#include <array>
#include <optional>
#include <string>

namespace web {

// The main window's display boxes as the behaviour writes them. A hidden
// box keeps its newest text here and is given it when it is shown: a press
// writes six boxes, the player sees one or two of them, and every text set
// in the page is work the browser does before the press's frame.
class DisplayBoxes {
public:
    static constexpr int Count = int(game::Display::Text6) + 1;

    // The boxes in the order of game::Display, shown as their hidden
    // property says now.
    explicit DisplayBoxes(const std::array<JsValue, Count>& boxes);

    void setText(game::Display box, const std::string& text);
    void setShown(game::Display box, bool shown);
    // What the box holds: what the player typed into it, if shown.
    std::string text(game::Display box) const;

private:
    struct Box {
        JsValue element;
        bool shown;
        std::optional<std::string> held;   // not yet in the page
    };

    Box& at(game::Display box) { return boxes_[std::size_t(box)]; }
    const Box& at(game::Display box) const { return boxes_[std::size_t(box)]; }

    std::array<Box, Count> boxes_;
};

} // namespace web
