// SPDX-License-Identifier: MIT
// The main window's display boxes under node, on plain objects that stand
// for the page's text boxes: what the player can see is in the page at once,
// what is hidden arrives when it is shown, and nothing is lost on the way.
#include "web/DisplayBoxes.h"

#include <gtest/gtest.h>

#include <array>
#include <string>

namespace {

using game::Display;
using web::DisplayBoxes;
using web::JsValue;

JsValue box(const char* value, bool hidden)
{
    JsValue element = JsValue::object();
    element.set("value", value);
    element.set("hidden", hidden);
    return element;
}

std::string valueOf(const JsValue& element) { return element["value"].as<std::string>(); }

struct Window {
    // As the main window starts: the score box alone is shown.
    std::array<JsValue, DisplayBoxes::Count> elements{box("", true), box("", true), box("", true),
                                                      box("", true), box(" 0", false), box("", true)};
    DisplayBoxes boxes{elements};

    const JsValue& operator[](Display display) const { return elements[std::size_t(display)]; }
};

TEST(DisplayBoxesTest, AShownBoxGetsItsTextAtOnceAndAHiddenOneWhenShown)
{
    Window window;
    window.boxes.setText(Display::Text5, "17");
    window.boxes.setText(Display::Text1, "X=140");
    window.boxes.setText(Display::Text6, "8");
    window.boxes.setText(Display::Text6, "9");
    EXPECT_EQ(valueOf(window[Display::Text5]), "17");
    EXPECT_EQ(valueOf(window[Display::Text1]), "");
    EXPECT_EQ(valueOf(window[Display::Text6]), "");
    // The behaviour reads what the box holds, shown or not.
    EXPECT_EQ(window.boxes.text(Display::Text1), "X=140");
    EXPECT_EQ(window.boxes.text(Display::Text6), "9");

    window.boxes.setShown(Display::Text6, true);
    EXPECT_FALSE(window[Display::Text6]["hidden"].as<bool>());
    EXPECT_EQ(valueOf(window[Display::Text6]), "9");   // the newest, not the first held
    window.boxes.setText(Display::Text6, "10");
    EXPECT_EQ(valueOf(window[Display::Text6]), "10");

    // Hidden again, it keeps showing its last text in the page until shown anew.
    window.boxes.setShown(Display::Text6, false);
    EXPECT_TRUE(window[Display::Text6]["hidden"].as<bool>());
    window.boxes.setText(Display::Text6, "3");
    EXPECT_EQ(valueOf(window[Display::Text6]), "10");
    EXPECT_EQ(window.boxes.text(Display::Text6), "3");
    window.boxes.setShown(Display::Text6, true);
    EXPECT_EQ(valueOf(window[Display::Text6]), "3");
    // Shown twice, the text is not written back over what the player typed.
    window.elements[std::size_t(Display::Text6)].set("value", "typed");
    window.boxes.setShown(Display::Text6, true);
    EXPECT_EQ(window.boxes.text(Display::Text6), "typed");
}

TEST(DisplayBoxesTest, TheScoreBoxIsReadAsThePlayerLeftIt)
{
    Window window;
    window.boxes.setText(Display::Text5, "44");
    window.elements[std::size_t(Display::Text5)].set("value", "abc 12");   // typed over
    EXPECT_EQ(window.boxes.text(Display::Text5), "abc 12");
    // A box that starts hidden and has never been written reads as it was made.
    EXPECT_EQ(window.boxes.text(Display::Text3), "");
}

} // namespace
