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

} // namespace

TargetFieldView::TargetFieldView(QSize outerSize, rt::Rgb background, QWidget* parent)
    : QFrame(parent),
      canvas_(outerSize.width() - 2 * game::FieldBorderWidth, outerSize.height() - 2 * game::FieldBorderWidth,
              game::FieldPenWidth, background),
      image_(reinterpret_cast<const uchar*>(canvas_.pixels()), canvas_.innerWidth(), canvas_.innerHeight(),
             canvas_.innerWidth() * int(sizeof(std::uint32_t)), QImage::Format_RGB32)
{
    setFrameStyle(QFrame::Panel | QFrame::Sunken);
    setLineWidth(game::FieldBorderWidth);
    setFixedSize(outerSize);
    setFocusPolicy(Qt::StrongFocus);
    setAttribute(Qt::WA_OpaquePaintEvent);
    canvas_.setChangeListener(
        [this] { QMetaObject::invokeMethod(this, &TargetFieldView::presentChanges, Qt::QueuedConnection); });
}

void TargetFieldView::enterEvent(QEnterEvent* event)
{
    // The cross is taken only when the pointer first comes onto the field:
    // the window system reads the cursor's pictures then, not at start-up.
    if (!testAttribute(Qt::WA_SetCursor))
        setCursor(Qt::CrossCursor);
    QFrame::enterEvent(event);
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

game::FieldOnScreen TargetFieldView::onScreen() const
{
    const QPoint origin = fieldOriginInWindow();
    return game::FieldOnScreen(devicePixelRatioF(), {origin.x(), origin.y()}, canvas_.innerWidth(),
                               canvas_.innerHeight());
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
    const game::FieldOnScreen field = onScreen();
    const QRect inField = exposed.translated(-contentsRect().topLeft());
    const int left = field.firstScreenColumnOf(inField.left());
    const int right = field.firstScreenColumnOf(inField.right() + 1);
    const int top = field.firstScreenRowOf(inField.top());
    const int bottom = field.firstScreenRowOf(inField.bottom() + 1);
    QImage screen(right - left, bottom - top, QImage::Format_RGB32);
    std::vector<int> columns(std::size_t(screen.width()));
    for (int x = 0; x < screen.width(); ++x)
        columns[std::size_t(x)] = field.columnShownBy(left + x);
    for (int y = 0; y < screen.height(); ++y) {
        const auto* from = reinterpret_cast<const QRgb*>(image_.constScanLine(field.rowShownBy(top + y)));
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
    const auto at = onScreen().pressAt(game::FieldOnScreen::screenPixelAt(inWindow.x(), scale),
                                       game::FieldOnScreen::screenPixelAt(inWindow.y(), scale));
    if (!at) {
        QFrame::mousePressEvent(event);   // on the border, not on the field
        return;
    }
    event->accept();
    emit mouseDown(int(event->button()), shiftState(event->modifiers()), float(at->x), float(at->y));
}

} // namespace ui
