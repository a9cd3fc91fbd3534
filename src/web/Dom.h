// SPDX-License-Identifier: MIT
#pragma once

#include "runtime/Colors.h"
#include "game/layout/Design.h"

#include "Callback.h"
#include "JsValue.h"

#include <string>

// The few things the page does with its document: make and place elements,
// give them the design's fonts and colours, and listen to their events.
namespace web {

using val = JsValue;

val document();

// A new element appended to `parent`; `name` goes to data-name, the name
// the desktop gives the same control, and to its id as "Window-Name".
val makeElement(const char* tag, val parent, const char* window, const char* name);

// A length in CSS pixels, e.g. "12px".
std::string pixels(int value);
std::string pixels(double value);

// At its design place and size in the container's pixels.
void place(val element, game::layout::TwipRect rect);
void setFont(val element, game::layout::FontSpec font);
std::string cssColor(rt::Rgb color);
void setText(val element, const std::string& text);
void setText(val element, const char* text);
void setAttribute(const val& element, const char* name, const char* value);
void setAttribute(const val& element, const char* name, const std::string& value);
void setAttribute(const val& element, const char* name, int value);
void setStyle(const val& element, const char* property, const char* value);
void setStyle(const val& element, const char* property, const std::string& value);
void setStyle(const val& element, const char* property, int value);
void addClass(const val& element, const char* name);
void setShown(val element, bool shown);

// Runs handler for every event of the type on the element. With onlyOwn,
// events that bubbled up from an element inside it are left out.
using EventHandler = Callback<void(val event)>;
void listen(val element, const char* type, EventHandler handler, bool onlyOwn = false);

// A pointer pressed on an element, with all its handler reads, gathered by
// the page's script in one go: the press on the field is the moment the
// player waits for, and each crossing into the document costs it time.
// The press is the page's alone: no mouse events follow, nothing is
// selected, and the element takes the keyboard focus.
struct Press {
    double clientX = 0;
    double clientY = 0;
    double button = 0;
    double shiftKey = 0;
    double ctrlKey = 0;
    double altKey = 0;
    double left = 0;   // the element's border box in the viewport
    double top = 0;
    double devicePixelRatio = 1;
};
using PressHandler = Callback<void(const Press& press)>;
void listenPress(val element, PressHandler handler);

// Every handler runs through here: the page sets what wraps it (the report
// of a run-time error, the drawing of what changed).
using HandlerFrame = Callback<void(const Callback<void()>& handler)>;
void setHandlerFrame(HandlerFrame frame);

} // namespace web
