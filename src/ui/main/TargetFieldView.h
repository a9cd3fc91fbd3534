// SPDX-License-Identifier: MIT
#pragma once

#include "runtime/PixelCanvas.h"
#include "game/main/FieldGeometry.h"

#include <QFrame>
#include <QImage>

namespace ui {

// The target field: a sunken frame around a picture of whole field pixels.
// The game draws into the picture; the widget only shows it, on a scaled
// screen each field pixel on the screen pixels that lie in it, and reports
// a mouse press at the field pixel its screen pixel shows.
class TargetFieldView final : public QFrame {
    Q_OBJECT
public:
    // outerSize includes the border.
    TargetFieldView(QSize outerSize, rt::Rgb background, QWidget* parent);

    rt::PixelCanvas& canvas() { return canvas_; }
    const rt::PixelCanvas& canvas() const { return canvas_; }
    // The picture as drawn, sharing the canvas' memory.
    const QImage& image() const { return image_; }

signals:
    // button as the event gave it; shift 1 for Shift, 2 for Ctrl, 4 for Alt,
    // added up; x, y whole field pixels.
    void mouseDown(int button, int shift, float x, float y);

protected:
    void paintEvent(QPaintEvent* event) override;
    // The pointer shows a cross over the field.
    void enterEvent(QEnterEvent* event) override;
    // Schedules the repaint of what the game drew; runs once the handler that
    // drew has returned, so a whole tick reaches the screen in one repaint.
    void presentChanges();
    void mousePressEvent(QMouseEvent* event) override;
    // The second press of a double click is a press like any other: it scores.
    void mouseDoubleClickEvent(QMouseEvent* event) override { mousePressEvent(event); }

private:
    // Top-left field pixel in the window's own pixels.
    QPoint fieldOriginInWindow() const;
    // The field's pixels on the window's screen pixels.
    game::FieldOnScreen onScreen() const;
    // The press position in the window's pixels with its fraction.
    QPointF exactPositionInWindow(const QMouseEvent& event) const;

    rt::PixelCanvas canvas_;
    QImage image_;
};

} // namespace ui
