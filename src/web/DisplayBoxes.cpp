// SPDX-License-Identifier: MIT
#include "DisplayBoxes.h"

namespace web {

DisplayBoxes::DisplayBoxes(const std::array<JsValue, Count>& boxes)
{
    for (std::size_t i = 0; i < boxes_.size(); ++i)
        boxes_[i] = {boxes[i], !boxes[i]["hidden"].as<bool>(), std::nullopt};
}

void DisplayBoxes::setText(game::Display box, const std::string& text)
{
    Box& shown = at(box);
    if (shown.shown)
        shown.element.set("value", text);
    else
        shown.held = text;
}

void DisplayBoxes::setShown(game::Display box, bool shown)
{
    Box& changed = at(box);
    if (shown && changed.held) {
        changed.element.set("value", *changed.held);
        changed.held.reset();
    }
    changed.element.set("hidden", !shown);
    changed.shown = shown;
}

std::string DisplayBoxes::text(game::Display box) const
{
    const Box& read = at(box);
    return read.held ? *read.held : read.element["value"].as<std::string>();
}

} // namespace web
