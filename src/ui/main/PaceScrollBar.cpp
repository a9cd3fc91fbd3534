// SPDX-License-Identifier: MIT
#include "PaceScrollBar.h"

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

} // namespace ui
