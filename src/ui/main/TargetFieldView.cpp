// SPDX-License-Identifier: MIT
#include "TargetFieldView.h"

#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>

#include <algorithm>
#include <cmath>
#include <vector>

namespace ui {

namespace {

// The handler's shift state: 1 for Shift, 2 for Ctrl, 4 for Alt, added up.
// The toolkit keeps these three as neighbouring bits in the same order.
constexpr int ShiftStateBitsOffset = 25;
static_assert(Qt::ShiftModifier == 1 << ShiftStateBitsOffset && Qt::ControlModifier == 2 << ShiftStateBitsOffset
              && Qt::AltModifier == 4 << ShiftStateBitsOffset);

int shiftState(Qt::KeyboardModifiers modifiers)
{
    const Qt::KeyboardModifiers handled = modifiers & (Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier);
    return int(handled.toInt() >> ShiftStateBitsOffset);
}

// The window pixel shown by a screen pixel of the window.
int windowPixel(int screenPixel, qreal scale)
{
    return int(std::floor(screenPixel / scale));
}

// The field pixel, from 0 to size - 1, shown by a screen pixel of the window.
int fieldPixel(int screenPixel, qreal scale, int fieldOrigin, int size)
{
    return std::clamp(windowPixel(screenPixel, scale) - fieldOrigin, 0, size - 1);
}

// The screen pixel of the window under a position in the window. A position
// on a pixel's edge, as the X server gives it, can come back from the
// toolkit's division by the scale a hair short of that edge.
int screenPixelAt(qreal windowPosition, qreal scale)
{
    return int(std::floor(windowPosition * scale + 1e-6));
}

} // namespace

TargetFieldView::TargetFieldView(QSize outerSize, rt::Rgb background, QWidget* parent)
    : QFrame(parent),
      canvas_(outerSize.width() - 2 * BorderWidth, outerSize.height() - 2 * BorderWidth, PenWidth, background),
      image_(reinterpret_cast<const uchar*>(canvas_.pixels()), canvas_.innerWidth(), canvas_.innerHeight(),
             canvas_.innerWidth() * int(sizeof(std::uint32_t)), QImage::Format_RGB32)
{
    setFrameStyle(QFrame::Panel | QFrame::Sunken);
    setLineWidth(BorderWidth);
    setFixedSize(outerSize);
    setCursor(Qt::CrossCursor);
    setFocusPolicy(Qt::StrongFocus);
    setAttribute(Qt::WA_OpaquePaintEvent);
    canvas_.setChangeListener(
        [this] { QMetaObject::invokeMethod(this, &TargetFieldView::presentChanges, Qt::QueuedConnection); });
}

void TargetFieldView::presentChanges()
{
    const rt::PixelBounds changed = canvas_.takeChangedBounds();
    if (!changed.isEmpty())
        update(QRect(changed.left, changed.top, changed.right - changed.left, changed.bottom - changed.top)
                   .translated(contentsRect().topLeft()));
}

// The window's screen pixels and its own pixels: at a screen scale s, the
// screen pixel p of the window shows the window pixel floor(p / s). The
// pointer reports the screen pixel it is on, so a press there is evaluated at
// the field pixel that this pixel shows.
QPoint TargetFieldView::fieldOriginInWindow() const
{
    return mapTo(window(), contentsRect().topLeft());
}

void TargetFieldView::paintEvent(QPaintEvent* event)
{
    QFrame::paintEvent(event);
    const QRect exposed = event->rect() & contentsRect();
    if (exposed.isEmpty())
        return;
    QPainter painter(this);
    const qreal scale = devicePixelRatioF();
    if (scale == 1.0) {
        painter.drawImage(exposed.topLeft(), image_, exposed.translated(-contentsRect().topLeft()));
        return;
    }
    // Scaled by the toolkit, a field pixel would cover different screen
    // pixels depending on which part of the field is repainted; laid out
    // here screen pixel by screen pixel it always covers the same ones.
    const QPoint origin = fieldOriginInWindow();
    const QRect inField = exposed.translated(-contentsRect().topLeft());
    const auto firstScreenPixel = [scale](int windowPixel) { return int(std::ceil(windowPixel * scale)); };
    const int left = firstScreenPixel(origin.x() + inField.left());
    const int right = firstScreenPixel(origin.x() + inField.right() + 1);
    const int top = firstScreenPixel(origin.y() + inField.top());
    const int bottom = firstScreenPixel(origin.y() + inField.bottom() + 1);
    QImage screen(right - left, bottom - top, QImage::Format_RGB32);
    std::vector<int> columns(std::size_t(screen.width()));
    for (int x = 0; x < screen.width(); ++x)
        columns[std::size_t(x)] = fieldPixel(left + x, scale, origin.x(), image_.width());
    for (int y = 0; y < screen.height(); ++y) {
        const auto* from = reinterpret_cast<const QRgb*>(
            image_.constScanLine(fieldPixel(top + y, scale, origin.y(), image_.height())));
        auto* to = reinterpret_cast<QRgb*>(screen.scanLine(y));
        for (int x = 0; x < screen.width(); ++x)
            to[x] = from[columns[std::size_t(x)]];
    }
    screen.setDevicePixelRatio(scale);
    painter.drawImage(QPointF(left / scale, top / scale) - QPointF(mapTo(window(), QPoint(0, 0))), screen);
}

QPointF TargetFieldView::exactPositionInWindow(const QMouseEvent& event) const
{
    // The toolkit rounds the position of a window system event to whole
    // window pixels; its position in the window keeps the fraction that a
    // scaled screen gives. An event made by a program may carry its position
    // in the widget only, and then that is exact.
    const QPointF inWindow = event.scenePosition();
    const QPointF rounded = event.position() + QPointF(mapTo(window(), QPoint(0, 0)));
    if (std::abs(inWindow.x() - rounded.x()) <= 0.5 && std::abs(inWindow.y() - rounded.y()) <= 0.5)
        return inWindow;
    return rounded;
}

// At a fractional scale a screen pixel straddles two window pixels but shows
// only one; a pointer resting inside a screen pixel, as on Wayland, is
// evaluated at that one as well.
void TargetFieldView::mousePressEvent(QMouseEvent* event)
{
    const qreal scale = devicePixelRatioF();
    const QPointF inWindow = exactPositionInWindow(*event);
    const QPoint origin = fieldOriginInWindow();
    const float x = float(windowPixel(screenPixelAt(inWindow.x(), scale), scale) - origin.x());
    const float y = float(windowPixel(screenPixelAt(inWindow.y(), scale), scale) - origin.y());
    if (x < 0 || y < 0 || x >= float(canvas_.innerWidth()) || y >= float(canvas_.innerHeight())) {
        QFrame::mousePressEvent(event);   // on the border, not on the field
        return;
    }
    event->accept();
    emit mouseDown(int(event->button()), shiftState(event->modifiers()), x, y);
}

} // namespace ui
