// SPDX-License-Identifier: MIT
#pragma once

class QString;
class QWidget;

namespace ui {

class Form2;

// How assistive technology sees the windows beyond what each control says of
// itself: the main window is a frame and the result and explanation windows
// are dialogs, so a screen reader speaks their captions when they become
// active, with the labels they show; the target field is a canvas. Widget classes
// and window-manager hints stay as they are. Install once per process,
// before the first window is created.
void installAccessibility();

// Has a screen reader speak the text now, whatever has the focus: as a
// notification of the widget, or with a toolkit that has them, as an
// announcement. Shows nothing on the screen. The latest text is kept in the
// widget's child object named "announcement".
void announce(QWidget& owner, const QString& text);

// Tells assistive technology the new result sentence when the result window
// is already active, as showing it again activates nothing; a window coming
// to the front is spoken with its labels anyway.
void resultSentenceChanged(Form2& window);

} // namespace ui
