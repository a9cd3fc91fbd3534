// SPDX-License-Identifier: MIT
#include "Form3.h"

#include "game/layout/Form3Layout.h"
#include "ui/Look.h"
#include "ui/Twips.h"

#include <QLabel>
#include <QPushButton>

namespace ui {

namespace form3 {
using namespace game::layout::form3;
} // namespace form3

namespace {

QLabel* makeParagraph(QWidget* parent, const char* text, TwipRect rect, FontSpec font)
{
    auto* label = new QLabel(QString::fromUtf8(text), parent);
    label->setGeometry(toPixels(rect));
    label->setFont(makeFont(font));
    label->setWordWrap(true);
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    setTextColor(*label, toQColor(form3::TextColor));
    return label;
}

} // namespace

Form3::Form3(Windows& windows) : QWidget(nullptr), windows_(windows)
{
    setUpWindow(*this, form3::Caption, form3::BackColor, toPixels(form3::ClientArea));
    Command1 = makeButton(this, form3::text::Command1, form3::Command1, form3::TextFont);
    Label3 = makeParagraph(this, form3::text::Label3, form3::Label3, form3::TextFont);
    Label2 = makeParagraph(this, form3::text::Label2, form3::Label2, form3::TextFont);
    Label1 = makeParagraph(this, form3::text::Label1, form3::Label1, form3::TitleFont);
    Label1->setAlignment(Qt::AlignHCenter | Qt::AlignTop);

    stackLabelsBeneath(*this);

    connect(Command1, &QPushButton::clicked, this, [this] { guarded(windows_, [this] { Command1_Click(); }); });
}

void Form3::Command1_Click() { windows_.Form3().hide(); }

} // namespace ui
