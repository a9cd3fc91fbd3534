// SPDX-License-Identifier: MIT
#pragma once

#include <QScrollBar>

namespace ui {

// The pace slider: its value changes by the arrows, by a click in the track
// and on the release of a dragged thumb. A middle-button press would make the
// thumb jump and follow the pointer with the value changing on the way, so
// buttons other than the left one are passed on to the window.
// Assistive technology hears the pace it sets in words: in its description,
// spoken on focus, and announced at every change of the value.
class PaceScrollBar final : public QScrollBar {
    Q_OBJECT
public:
    using QScrollBar::QScrollBar;

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void sliderChange(SliderChange change) override;
};

} // namespace ui
