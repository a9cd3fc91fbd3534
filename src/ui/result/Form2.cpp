// SPDX-License-Identifier: MIT
#include "Form2.h"

#include "runtime/Numbers.h"
#include "game/Game.h"
#include "game/layout/Form2Layout.h"
#include "ui/Look.h"
#include "ui/Twips.h"
#include "ui/main/Form1.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace ui {

namespace form2 {
using namespace game::layout::form2;
} // namespace form2

Form2::Form2(Windows& windows) : QWidget(nullptr), windows_(windows)
{
    setUpWindow(*this, form2::Caption, form2::BackColor, toPixels(form2::ClientArea));
    Command1 = makeButton(this, form2::text::Command1, form2::Command1, form2::ButtonFont);

    Label2 = new QLabel(QString::fromUtf8(form2::text::Label2), this);
    Label2->setGeometry(toPixels(form2::Label2));
    Label2->setFont(makeFont(form2::MaximumFont));
    Label2->setAlignment(Qt::AlignHCenter | Qt::AlignTop);

    Label1 = new QLabel(this);
    Label1->setGeometry(toPixels(form2::Label1));
    Label1->setFont(makeFont(form2::SentenceFont));
    Label1->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    Label1->setWordWrap(true);
    setTextColor(*Label1, toQColor(form2::SentenceColor));

    stackLabelsBeneath(*this);

    connect(Command1, &QPushButton::clicked, this, [this] { guarded(windows_, [this] { Command1_Click(); }); });
}

void Form2::Form_Load()
{
    const QString score = windows_.Form1().Text5->text();
    const double points = rt::leadingNumber(score.toStdString());
    Label1->setText(QString::fromStdString(game::resultSentence(points, rt::Precision::Double)));
    std::string path = form2::SavePath;
    speichern(path);
}

void Form2::Command1_Click() { windows_.Form2().hide(); }

void Form2::speichern(std::string& /*Path*/) {}

} // namespace ui
