// SPDX-License-Identifier: MIT
#include "Look.h"

#include <QGroupBox>
#include <QGuiApplication>
#include <QLabel>
#include <QPalette>
#include <QPushButton>
#include <QWidget>
#include <QWindow>

namespace ui {

QFont makeFont(FontSpec design)
{
    QFont font(QString::fromLatin1(design.family));
    font.setPointSizeF(design.points);
    font.setBold(design.bold);
    return font;
}

void installFontSubstitutes()
{
    QFont::insertSubstitutions(QStringLiteral("MS Sans Serif"),
                               {QStringLiteral("Microsoft Sans Serif"), QStringLiteral("Liberation Sans"),
                                QStringLiteral("Arial"), QStringLiteral("DejaVu Sans")});
    QFont::insertSubstitutions(QStringLiteral("Arial"),
                               {QStringLiteral("Liberation Sans"), QStringLiteral("DejaVu Sans")});
}

void setUpWindow(QWidget& window, const char* caption, rt::Rgb backColor, QRect clientArea)
{
    window.setWindowTitle(QString::fromUtf8(caption));
    window.setFont(makeFont(DefaultFont));
    setBackground(window, toQColor(backColor));
    window.setFixedSize(clientArea.size());
    window.move(clientArea.topLeft());   // a top-level's move places its frame
}

void stackLabelsBeneath(QWidget& container)
{
    const QList<QLabel*> labels = container.findChildren<QLabel*>(Qt::FindDirectChildrenOnly);
    // Lowered last-created first, the first-created label ends at the bottom.
    for (auto label = labels.rbegin(); label != labels.rend(); ++label)
        (*label)->lower();
    for (QGroupBox* frame : container.findChildren<QGroupBox*>(Qt::FindDirectChildrenOnly))
        stackLabelsBeneath(*frame);
}

namespace {

// A Wayland compositor places the windows and hands the keyboard to a shown
// window only for a request tied to a recent input event; an X window
// manager does as the program asks.
bool compositorPlacesWindows()
{
    return QGuiApplication::platformName().startsWith(QLatin1String("wayland"));
}

} // namespace

void showInFront(QWidget& window, QWidget& owner)
{
    if (compositorPlacesWindows()) {
        // Belonging to the owner, the window comes up over it, as a dialog
        // of it does. On X this would keep it above the owner, which the
        // player may bring forward over it, so it is done here only.
        window.winId();
        window.windowHandle()->setTransientParent(owner.windowHandle());
        // The compositor raises a shown window only for a request tied to a
        // recent input event, and a game ends seconds after the last press;
        // a request it refuses leaves the window behind, flagged. A window
        // newly shown comes to the front with the keyboard: one shown behind
        // another is shown anew, without a request.
        if (!window.isActiveWindow()) {
            window.hide();
            window.show();
        }
        return;
    }
    window.show();
    window.raise();
    window.activateWindow();
}

QPushButton* makeButton(QWidget* parent, const char* caption, TwipRect rect, FontSpec font)
{
    auto* button = new QPushButton(QString::fromUtf8(caption), parent);   // owned by parent
    button->setGeometry(toPixels(rect));
    button->setFont(makeFont(font));
    button->setAutoDefault(true);
    return button;
}

void setTextColor(QWidget& widget, const QColor& color)
{
    QPalette palette = widget.palette();
    palette.setColor(QPalette::WindowText, color);
    widget.setPalette(palette);
}

void setBackground(QWidget& widget, const QColor& color)
{
    QPalette palette = widget.palette();
    palette.setColor(QPalette::Window, color);
    widget.setPalette(palette);
    widget.setAutoFillBackground(true);
}

} // namespace ui
