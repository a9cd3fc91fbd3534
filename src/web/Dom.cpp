// SPDX-License-Identifier: MIT
#include "Dom.h"

#include <emscripten/em_macros.h>

#include <cstdio>
#include <type_traits>
#include <vector>

namespace web {

// The page's script writes a press as nine doubles in this order.
static_assert(std::is_standard_layout_v<Press> && sizeof(Press) == 9 * sizeof(double));

namespace {

std::vector<EventHandler>& handlers()
{
    static std::vector<EventHandler> all;
    return all;
}

std::vector<PressHandler>& pressHandlers()
{
    static std::vector<PressHandler> all;
    return all;
}

// Where the page's script writes a press before it calls the program.
Press& pressRead()
{
    static Press press;
    return press;
}

HandlerFrame& handlerFrame()
{
    static HandlerFrame frame = [](const Callback<void()>& run) { run(); };
    return frame;
}

} // namespace

extern "C" void ringtafel_js_listen(int element, const char* type, int handler, int onlyOwn) noexcept;
extern "C" void ringtafel_js_listen_press(int element, int handler, Press* press) noexcept;

// Called by the page's listener for each event, with the event's handle.
extern "C" EMSCRIPTEN_KEEPALIVE void ringtafel_dispatch(int handler, int eventHandle)
{
    const val event = val::adopt(eventHandle);
    if (handler < 0 || std::size_t(handler) >= handlers().size())
        return;
    const EventHandler& run = handlers()[std::size_t(handler)];
    handlerFrame()([&] { run(event); });
}

// Called by the page's press listener, the press written to pressRead().
extern "C" EMSCRIPTEN_KEEPALIVE void ringtafel_dispatch_press(int handler)
{
    if (handler < 0 || std::size_t(handler) >= pressHandlers().size())
        return;
    const PressHandler& run = pressHandlers()[std::size_t(handler)];
    const Press press = pressRead();
    handlerFrame()([&] { run(press); });
}

val document() { return val::global("document"); }

std::string pixels(int value) { return std::to_string(value) + "px"; }
std::string pixels(double value) { return std::to_string(value) + "px"; }

val makeElement(const char* tag, val parent, const char* window, const char* name)
{
    val element = document().call<val>("createElement", val(tag));
    if (name != nullptr) {
        element["dataset"].set("name", val(name));
        element.set("id", std::string(window) + "-" + name);
    }
    parent.call<void>("appendChild", element);
    return element;
}

void place(val element, game::layout::TwipRect rect)
{
    const game::layout::PixelRect r = game::layout::toPixelRect(rect);
    setStyle(element, "left", pixels(r.left));
    setStyle(element, "top", pixels(r.top));
    setStyle(element, "width", pixels(r.width));
    setStyle(element, "height", pixels(r.height));
}

void setFont(val element, game::layout::FontSpec font)
{
    // Both design faces have the metrics of the face built into the page.
    setStyle(element, "fontFamily", "\"Ringtafel Sans\", \"Liberation Sans\", Arial, sans-serif");
    setStyle(element, "fontSize", std::to_string(font.points) + "pt");
    setStyle(element, "fontWeight", font.bold ? "700" : "400");
}

std::string cssColor(rt::Rgb color)
{
    char text[8];
    std::snprintf(text, sizeof text, "#%02x%02x%02x", unsigned(color.r), unsigned(color.g), unsigned(color.b));
    return text;
}

void setText(val element, const std::string& text) { element.set("textContent", text); }
// Texts may hold any character: through std::string, which is read as UTF-8.
void setText(val element, const char* text) { element.set("textContent", std::string(text)); }

void setAttribute(const val& element, const char* name, const char* value)
{
    element.call<void>("setAttribute", val(name), std::string(value));
}
void setAttribute(const val& element, const char* name, const std::string& value)
{
    element.call<void>("setAttribute", val(name), value);
}
void setAttribute(const val& element, const char* name, int value)
{
    element.call<void>("setAttribute", val(name), value);
}
void setStyle(const val& element, const char* property, const char* value) { element["style"].set(property, val(value)); }
void setStyle(const val& element, const char* property, const std::string& value) { element["style"].set(property, value); }
void setStyle(const val& element, const char* property, int value) { element["style"].set(property, value); }
void addClass(const val& element, const char* name) { element["classList"].call<void>("add", val(name)); }

void setShown(val element, bool shown) { element.set("hidden", !shown); }

void listen(val element, const char* type, EventHandler handler, bool onlyOwn)
{
    handlers().push_back(handler);
    ringtafel_js_listen(element.handle(), type, int(handlers().size() - 1), onlyOwn);
}

void listenPress(val element, PressHandler handler)
{
    pressHandlers().push_back(handler);
    ringtafel_js_listen_press(element.handle(), int(pressHandlers().size() - 1), &pressRead());
}

void setHandlerFrame(HandlerFrame frame) { handlerFrame() = frame; }

} // namespace web
