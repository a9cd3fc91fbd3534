// SPDX-License-Identifier: MIT
// The yardstick for the game's start-up: a plain window with the main
// window's controls, each of the same kind at the same place, with the same
// caption and font, read from the main window's design table; and a frame of
// the field's size where the game shows its target field. The same widget
// style and palette, the same font faces. None of the game's behaviour: no
// handlers, no timer, no field picture, no translations, no icon, no cursor.
#include "FirstFrameProbe.h"
#include "Stats.h"

#include "game/layout/Form1Layout.h"
#include "game/main/FieldGeometry.h"
#include "ui/Look.h"

#include <QApplication>
#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QStyle>
#include <QStyleFactory>

namespace {

namespace form1 = game::layout::form1;
using game::layout::FontSpec;
using game::layout::TwipRect;

template <typename Widget>
Widget* place(Widget* widget, TwipRect rect, bool shown = true)
{
    widget->setGeometry(ui::toPixels(rect));
    widget->setVisible(shown);
    return widget;
}

QString text(const char* utf8) { return QString::fromUtf8(utf8); }

// Children are owned by their parents, the window by main().
void addControls(QWidget& window)
{
    auto* slider = place(new QScrollBar(Qt::Horizontal, &window), form1::HScroll1);
    slider->setRange(form1::SliderMin, form1::SliderMax);

    const auto button = [&window](const char* caption, TwipRect rect) {
        place(new QPushButton(text(caption), &window), rect)->setFont(ui::makeFont(form1::ButtonFont));
    };
    const auto textBox = [&window](const char* content, TwipRect rect, bool shown) {
        return place(new QLineEdit(text(content), &window), rect, shown);
    };
    const auto option = [](QGroupBox* frame, const char* caption, TwipRect rect) {
        place(new QRadioButton(text(caption), frame), rect)->setFont(ui::makeFont(game::layout::DefaultFont));
    };
    const auto label = [&window](const char* caption, TwipRect rect, bool shown, const FontSpec* font = nullptr) {
        auto* l = place(new QLabel(text(caption), &window), rect, shown);
        if (font)
            l->setFont(ui::makeFont(*font));
    };

    button(form1::text::Command3, form1::Command3);
    textBox(form1::text::Text6, form1::Text6, false);
    auto* timeScoring = place(new QGroupBox(text(form1::text::Frame2), &window), form1::Frame2, false);
    option(timeScoring, form1::text::Option5, form1::Option5);
    option(timeScoring, form1::text::Option4, form1::Option4);
    auto* level = place(new QGroupBox(text(form1::text::Frame1), &window), form1::Frame1, false);
    level->setFont(ui::makeFont(form1::HeadingFont));
    option(level, form1::text::Option3, form1::Option3);
    option(level, form1::text::Option2, form1::Option2);
    option(level, form1::text::Option1, form1::Option1);

    QLineEdit* score = textBox(form1::text::Text5, form1::Text5, true);
    score->setAlignment(Qt::AlignCenter);
    score->setFont(ui::makeFont(form1::ScoreFont));
    textBox(form1::text::Text4, form1::Text4, false);
    textBox(form1::text::Text3, form1::Text3, false);
    textBox(form1::text::Text2, form1::Text2, false);
    textBox(form1::text::Text1, form1::Text1, false);
    button(form1::text::Command2, form1::Command2);
    button(form1::text::Command1, form1::Command1);

    auto* field = place(new QFrame(&window), form1::Picture1);
    field->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    field->setLineWidth(game::FieldBorderWidth);
    ui::setBackground(*field, Qt::white);

    label(form1::text::Label6, form1::Label6, true);
    label(form1::text::Label5, form1::Label5, true, &form1::HeadingFont);
    label(form1::text::Label4, form1::Label4, true);
    label(form1::text::Label3, form1::Label3, true, &form1::PunkteFont);
    label(form1::text::Label2, form1::Label2, false);
    label(form1::text::Label1, form1::Label1, false);
}

} // namespace

int main(int argc, char** argv)
{
    const std::int64_t entered = bench::monotonicNs();
    QApplication application(argc, argv);
    QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
    QApplication::setPalette(QApplication::style()->standardPalette());
    ui::installFontSubstitutes();
    // The window's font is the application's, so no control loads a face
    // that nothing on the screen shows.
    QApplication::setFont(ui::makeFont(game::layout::DefaultFont));

    QWidget window;
    QRect client = ui::toPixels(form1::ClientArea);
    client.setHeight(game::layout::toPixels(form1::ClientHeightWithCredits));
    ui::setUpWindow(window, form1::Caption, form1::BackColor, client);
    addControls(window);

    bench::FirstFrameProbe probe(window, entered);
    window.show();
    return QApplication::exec();
}
