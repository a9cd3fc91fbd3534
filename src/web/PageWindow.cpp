// SPDX-License-Identifier: MIT
#include "PageWindow.h"

#include "NarrowLayout.h"

#include <algorithm>

namespace web {

namespace {

constexpr int TitleBarHeight = 22;
int frontmost = 10;   // z-index of the window last brought to the front

double viewportWidth() { return document()["documentElement"]["clientWidth"].as<double>(); }
double viewportHeight() { return document()["documentElement"]["clientHeight"].as<double>(); }

} // namespace

PageWindow::PageWindow(val desk, const char* id, const char* caption, game::layout::TwipRect clientArea,
                       game::layout::TwipRect mainClientArea, rt::Rgb backColor,
                       std::span<const ControlDesign> controls)
    : desk_(desk), root_(makeElement("section", desk, "", nullptr)), controls_(val::undefined(), id)
{
    root_.set("id", val(id));
    addClass(root_, "window");
    setAttribute(root_, "role", "dialog");
    const std::string titleId = std::string(id) + "-title";
    setAttribute(root_, "aria-labelledby", titleId);
    const game::layout::PixelRect area = game::layout::toPixelRect(clientArea);
    const game::layout::PixelRect main = game::layout::toPixelRect(mainClientArea);
    designLeft_ = left_ = area.left - main.left;
    designTop_ = top_ = area.top - main.top - TitleBarHeight;
    designWidth_ = area.width + 2;   // with the window's border
    setStyle(root_, "left", pixels(left_));
    setStyle(root_, "top", pixels(top_));

    val title = makeElement("div", root_, "", nullptr);
    title.set("id", titleId);
    addClass(title, "title");
    setStyle(title, "height", pixels(TitleBarHeight));
    setText(title, caption);
    listen(title, "pointerdown", [this](val event) { grabbed(event); });
    listen(title, "pointermove", [this](val event) { dragged(event); });
    listen(title, "pointerup", [this](val) { dragging_ = false; });
    listen(title, "pointercancel", [this](val) { dragging_ = false; });

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
    place();
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

void PageWindow::setNarrow(bool narrow)
{
    narrow_ = narrow;
    const double fits = viewportWidth() / deskScale() - 2 * NarrowLayout::Margin;
    setStyle(root_, "width", narrow ? pixels(std::min(designWidth_, fits)) : std::string());
    if (isShown())
        place();
}

void PageWindow::place()
{
    if (moved_)
        moveTo(left_, top_);
    else if (narrow_)
        moveTo((viewportWidth() / deskScale() - root_["offsetWidth"].as<double>()) / 2,
               (viewportHeight() / deskScale() - root_["offsetHeight"].as<double>()) / 2);
    else
        moveTo(designLeft_, designTop_);
}

void PageWindow::grabbed(val event)
{
    if (event["button"].as<int>() != 0)
        return;
    event.call<void>("preventDefault");   // no text selection, no scrolling
    const val box = root_.call<val>("getBoundingClientRect");
    const double scale = deskScale();
    grabX_ = (event["clientX"].as<double>() - box["left"].as<double>()) / scale;
    grabY_ = (event["clientY"].as<double>() - box["top"].as<double>()) / scale;
    dragging_ = true;
    event["currentTarget"].call<void>("setPointerCapture", event["pointerId"]);
}

void PageWindow::dragged(val event)
{
    if (!dragging_)
        return;
    const val desk = desk_.call<val>("getBoundingClientRect");
    const double scale = deskScale();
    moved_ = true;
    moveTo((event["clientX"].as<double>() - desk["left"].as<double>()) / scale - grabX_,
           (event["clientY"].as<double>() - desk["top"].as<double>()) / scale - grabY_);
}

// Keeps the whole window in the view where it fits, and its title bar
// where it does not.
void PageWindow::moveTo(double left, double top)
{
    const val desk = desk_.call<val>("getBoundingClientRect");
    const double scale = deskScale();
    const double viewLeft = -desk["left"].as<double>() / scale;
    const double viewTop = -desk["top"].as<double>() / scale;
    const double room = viewportWidth() / scale - root_["offsetWidth"].as<double>();
    const double roomDown = viewportHeight() / scale - root_["offsetHeight"].as<double>();
    left_ = std::max(viewLeft, std::min(left, viewLeft + room));
    top_ = std::max(viewTop, std::min(top, viewTop + roomDown));
    setStyle(root_, "left", pixels(left_));
    setStyle(root_, "top", pixels(top_));
}

double PageWindow::deskScale() const
{
    const double laidOut = desk_["offsetWidth"].as<double>();
    const double shown = desk_.call<val>("getBoundingClientRect")["width"].as<double>();
    return laidOut > 0 && shown > 0 ? shown / laidOut : 1.0;
}

} // namespace web
