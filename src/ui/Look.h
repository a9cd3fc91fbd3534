#pragma once

#include <QFont>
#include <QString>

class QPushButton;
class QWidget;

namespace ui {

// Fonts of the windows, by the face names they were designed with; a machine
// without a face gets its closest substitute (see installFontSubstitutes).
struct FontSpec {
    const char* family;
    double points;
    bool bold;
};

inline constexpr FontSpec DefaultFont{"MS Sans Serif", 8.0, false};

QFont makeFont(FontSpec spec);
// Registers metric-compatible faces for the design faces, once per process.
void installFontSubstitutes();

// Enter, like Space, presses a focused button.
void makeKeyboardButton(QPushButton& button);

// Background colour of a window or a control that shows the window's colour.
void setBackground(QWidget& widget, const QColor& color);

} // namespace ui
