// SPDX-License-Identifier: MIT
#pragma once

namespace ui {

class Form2;

// How assistive technology sees the windows beyond what each control says of
// itself: the main window is a frame and the result and explanation windows
// are dialogs, so a screen reader speaks their captions when they become
// active; the result window is described by its result sentence, which is
// then spoken with its caption; the target field is a canvas. Widget classes
// and window-manager hints stay as they are. Install once per process,
// before the first window is created.
void installAccessibility();

// Tells assistive technology that the result sentence has changed; needed
// when the result window is already shown, as showing it again activates
// nothing.
void resultSentenceChanged(Form2& window);

} // namespace ui
