// SPDX-License-Identifier: MIT
#include "PaceScrollBar.h"

#include "game/Pace.h"
#include "game/layout/Form1Layout.h"
#include "ui/Accessibility.h"

#include <QMouseEvent>

namespace ui {

void PaceScrollBar::mousePressEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton) {
        event->ignore();
        return;
    }
    QScrollBar::mousePressEvent(event);
}

void PaceScrollBar::sliderChange(SliderChange change)
{
    QScrollBar::sliderChange(change);
    if (change != SliderValueChange)
        return;
    const QString pace = QString::fromStdString(game::paceText(value()));
    // Spoken with the name on focus; a screen reader tells a change of the
    // value only as a bare number, so the new pace is announced as well.
    setAccessibleDescription(pace + QString::fromUtf8(game::layout::form1::accessible::HScroll1Directions));
    if (isVisible())
        announce(*this, pace);
}

} // namespace ui
