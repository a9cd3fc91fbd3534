// SPDX-License-Identifier: MIT
#include "PageWindow.h"

namespace web {

namespace {

constexpr int TitleBarHeight = 22;
int frontmost = 10;   // z-index of the window last brought to the front

} // namespace

PageWindow::PageWindow(val desk, const char* id, const char* caption, game::layout::TwipRect clientArea,
                       game::layout::TwipRect mainClientArea, rt::Rgb backColor,
                       std::span<const ControlDesign> controls)
    : root_(makeElement("section", desk, "", nullptr)), controls_(val::undefined(), id)
{
    root_.set("id", val(id));
    addClass(root_, "window");
    setAttribute(root_, "role", "dialog");
    const std::string titleId = std::string(id) + "-title";
    setAttribute(root_, "aria-labelledby", titleId);
    const game::layout::PixelRect area = game::layout::toPixelRect(clientArea);
    const game::layout::PixelRect main = game::layout::toPixelRect(mainClientArea);
    setStyle(root_, "left", pixels(area.left - main.left));
    setStyle(root_, "top", pixels(area.top - main.top - TitleBarHeight));

    val title = makeElement("div", root_, "", nullptr);
    title.set("id", titleId);
    addClass(title, "title");
    setStyle(title, "height", pixels(TitleBarHeight));
    setText(title, caption);

    client_ = makeElement("div", root_, "", nullptr);
    addClass(client_, "client");
    setStyle(client_, "width", pixels(area.width));
    setStyle(client_, "height", pixels(area.height));
    setStyle(client_, "background", cssColor(backColor));
    setFont(client_, game::layout::DefaultFont);
    controls_ = ControlSet(client_, id);
    controls_.add(controls);
    hide();
}

bool PageWindow::isShown() const { return !root_["hidden"].as<bool>(); }

void PageWindow::showInFront()
{
    const val focused = document()["activeElement"];
    if (!root_.call<bool>("contains", focused))
        returnFocus_ = focused;
    setShown(root_, true);
    setStyle(root_, "zIndex", ++frontmost);
}

// The keyboard goes back to where it was before the window came, as it goes
// back to the main window's last control on the desktop.
void PageWindow::hide()
{
    const bool hadFocus = root_.call<bool>("contains", document()["activeElement"]);
    setShown(root_, false);
    if (hadFocus && !returnFocus_.isNull() && !returnFocus_.isUndefined())
        returnFocus_.call<void>("focus");
}

} // namespace web
