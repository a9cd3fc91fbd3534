#include "Look.h"

#include <QPalette>
#include <QPushButton>
#include <QWidget>

namespace ui {

QFont makeFont(FontSpec spec)
{
    QFont font(QString::fromLatin1(spec.family));
    font.setPointSizeF(spec.points);
    font.setBold(spec.bold);
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

void makeKeyboardButton(QPushButton& button)
{
    button.setAutoDefault(true);
}

void setBackground(QWidget& widget, const QColor& color)
{
    QPalette palette = widget.palette();
    palette.setColor(QPalette::Window, color);
    widget.setPalette(palette);
    widget.setAutoFillBackground(true);
}

} // namespace ui
