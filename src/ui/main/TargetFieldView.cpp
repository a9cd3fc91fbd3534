#include "TargetFieldView.h"

#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>

#include <cmath>

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

void TargetFieldView::paintEvent(QPaintEvent* event)
{
    QFrame::paintEvent(event);
    // Field pixels map one to one onto the widget's own pixels; the toolkit
    // scales the whole when the screen does.
    const QRect exposed = event->rect() & contentsRect();
    if (exposed.isEmpty())
        return;
    QPainter painter(this);
    painter.drawImage(exposed.topLeft(), image_, exposed.translated(-contentsRect().topLeft()));
}

void TargetFieldView::mousePressEvent(QMouseEvent* event)
{
    const QPointF local = event->position() - QPointF(contentsRect().topLeft());
    const float x = std::floor(float(local.x()));
    const float y = std::floor(float(local.y()));
    if (x < 0 || y < 0 || x >= float(canvas_.innerWidth()) || y >= float(canvas_.innerHeight())) {
        QFrame::mousePressEvent(event);   // on the border, not on the field
        return;
    }
    event->accept();
    emit mouseDown(int(event->button()), shiftState(event->modifiers()), x, y);
}

} // namespace ui
