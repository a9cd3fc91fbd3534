// SPDX-License-Identifier: MIT
#include "Form3.h"

#include "ui/Look.h"
#include "ui/Twips.h"

#include <QLabel>
#include <QPushButton>

namespace ui {

namespace form3 {
inline constexpr rt::Rgb BackColor = rt::RGB(255, 255, 192);
inline constexpr TwipRect ClientArea{4008, 3348, 6564, 6048};
inline constexpr TwipRect Command1{3000, 4800, 1215, 495};
inline constexpr TwipRect Label3{960, 3120, 4815, 1335};
inline constexpr TwipRect Label2{960, 960, 4935, 1455};
inline constexpr TwipRect Label1{960, 240, 4935, 495};
inline constexpr FontSpec TextFont{"Arial", 12.0, false};
inline constexpr FontSpec TitleFont{"Arial", 15.6, false};
inline constexpr const char* Title = "Erklärung";
inline constexpr const char* Aim =
    "Das Ziel ist es, mit dem Mauscursor die Ringtafel so weit wie möglich in der Mitte durch Klicken der "
    "linken Maustaste zu treffen.";
inline constexpr const char* HowToStart =
    "Zum Starten bitte den Start-Button klicken. Nun erscheint im großen linken Feld in kurzen Abständen "
    "eine Ringtafel an zufällig ausgewählten Stellen.";
} // namespace form3

namespace {

QLabel* makeParagraph(QWidget* parent, const char* text, TwipRect rect, FontSpec font)
{
    auto* label = new QLabel(QString::fromUtf8(text), parent);
    label->setGeometry(toPixels(rect));
    label->setFont(makeFont(font));
    label->setWordWrap(true);
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    setTextColor(*label, Qt::black);
    return label;
}

} // namespace

Form3::Form3(Windows& windows) : QWidget(nullptr), windows_(windows)
{
    setUpWindow(*this, "Ringtafel-Erklärung", form3::BackColor, toPixels(form3::ClientArea));
    Command1 = makeButton(this, "Zurück", form3::Command1, form3::TextFont);
    Label3 = makeParagraph(this, form3::Aim, form3::Label3, form3::TextFont);
    Label2 = makeParagraph(this, form3::HowToStart, form3::Label2, form3::TextFont);
    Label1 = makeParagraph(this, form3::Title, form3::Label1, form3::TitleFont);
    Label1->setAlignment(Qt::AlignHCenter | Qt::AlignTop);

    stackLabelsBeneath(*this);

    connect(Command1, &QPushButton::clicked, this, [this] { guarded(windows_, [this] { Command1_Click(); }); });
}

void Form3::Command1_Click() { windows_.Form3().hide(); }

} // namespace ui
