// SPDX-License-Identifier: MIT
#include "Form2.h"

#include "runtime/Numbers.h"
#include "game/Game.h"
#include "ui/Look.h"
#include "ui/Twips.h"
#include "ui/main/Form1.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace ui {

namespace form2 {
inline constexpr rt::Rgb BackColor = rt::RGB(255, 224, 192);
inline constexpr rt::Rgb SentenceColor = rt::RGB(0, 0, 64);
inline constexpr TwipRect ClientArea{1728, 1608, 7992, 5100};
inline constexpr TwipRect Command1{3120, 4320, 1575, 615};
inline constexpr TwipRect Label2{1320, 3000, 5295, 495};
inline constexpr TwipRect Label1{840, 480, 6255, 2295};
inline constexpr FontSpec ButtonFont{"Arial", 12.0, false};
inline constexpr FontSpec MaximumFont{"MS Sans Serif", 18.0, true};
inline constexpr FontSpec SentenceFont{"MS Sans Serif", 24.0, false};
inline constexpr const char* SavePath = "C:\\Programme\\Ringtafel\\Ergebnis.txt";
} // namespace form2

Form2::Form2(Windows& windows) : QWidget(nullptr), windows_(windows)
{
    setUpWindow(*this, "Ringtafel-Auswertung", form2::BackColor, toPixels(form2::ClientArea));
    Command1 = makeButton(this, "Zurück", form2::Command1, form2::ButtonFont);

    Label2 = new QLabel(QStringLiteral("(Maximum: 310 Punkte)"), this);
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
