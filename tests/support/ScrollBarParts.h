// SPDX-License-Identifier: MIT
#pragma once

#include <QRect>
#include <QStyle>

class QScrollBar;

namespace testing_support {

// Where the current style puts a part of a scroll bar (an arrow, the thumb,
// the track on either side), in the bar's own coordinates.
QRect scrollBarPart(QScrollBar* bar, QStyle::SubControl part);

} // namespace testing_support
