// SPDX-License-Identifier: MIT
#pragma once

#include "Twips.h"

#include <QFont>
#include <QRect>
#include <QString>

class QPushButton;
class QWidget;

namespace ui {

// Fonts of the windows, by the face names they were designed with; a machine
// without a face gets its closest substitute (see installFontSubstitutes).
using game::layout::FontSpec;
using game::layout::DefaultFont;

QFont makeFont(FontSpec design);
// Registers metric-compatible faces for the design faces, once per process.
void installFontSubstitutes();

// A top-level window of fixed client size: caption, default font, background.
// The window's outer top-left corner, its frame included, goes to the design
// position, so a window manager's title bar stays on the screen.
void setUpWindow(QWidget& window, const char* caption, rt::Rgb backColor, QRect clientArea);

// Labels have no window of their own: they lie beneath every other control
// of their container, whatever the order of creation, and so never take a
// press meant for a control they overlap. Among themselves they keep their
// order. Call once the container's controls exist.
void stackLabelsBeneath(QWidget& container);

// Shows a window in front of the others with the keyboard, also when it is
// already shown behind another window. Where the compositor places windows,
// the window comes up over its owner.
void showInFront(QWidget& window, QWidget& owner);

// A button that Enter, like Space, presses when it has the focus.
QPushButton* makeButton(QWidget* parent, const char* caption, TwipRect rect, FontSpec font);

void setTextColor(QWidget& widget, const QColor& color);

// Background colour of a window or a control that shows the window's colour.
void setBackground(QWidget& widget, const QColor& color);

} // namespace ui
