#include "TargetFieldView.h"

#include <QMouseEvent>
#include <QPainter>

#include <cmath>

namespace ui {

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
    // One repaint per change of the picture, however many rings a tick draws.
    canvas_.setChangeListener([this] { update(contentsRect()); });
}

void TargetFieldView::paintEvent(QPaintEvent* event)
{
    QFrame::paintEvent(event);
    QPainter painter(this);
    painter.drawImage(contentsRect(), image_);
    canvas_.markPresented();
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
    emit mouseDown(int(event->button()), int(event->modifiers() >> 25), x, y);
}

} // namespace ui
