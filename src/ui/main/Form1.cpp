// SPDX-License-Identifier: MIT
#include "Form1.h"

#include "Form1Layout.h"
#include "Trace.h"

#include "ui/Accessibility.h"
#include "ui/explain/Form3.h"
#include "ui/result/Form2.h"

#include <QApplication>
#include <QCloseEvent>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>

namespace ui {

// The main window's controls and the other windows as its behaviour reaches them.
class Form1::Ports final : public game::MainWindowPorts {
public:
    explicit Ports(Form1& form) : form_(form) {}

    void setText(game::Display box, const std::string& text) override
    {
        lineEdit(box)->setText(QString::fromStdString(text));
    }
    std::string scoreText() const override { return form_.Text5->text().toStdString(); }
    bool timeScoringSelected() const override { return form_.Option4->isChecked(); }
    int paceValue() const override { return form_.HScroll1->value(); }
    void setPaceValue(int value) override { form_.HScroll1->setValue(value); }
    void setTimePointsShown(bool shown) override { form_.Text6->setVisible(shown); }

    void setSentence(const std::string& sentence) override
    {
        Form2& result = form_.windows_.Form2();
        result.Label1->setText(QString::fromStdString(sentence));
        resultSentenceChanged(result);
    }
    void redrawNow() override { form_.windows_.Form2().repaint(); }
    // The end of a game brings the result to the player also when the window
    // is already shown, perhaps behind the main window after "Start".
    void show() override { showInFront(game::SecondaryWindow::Form2); }

    bool isShown(game::SecondaryWindow window) override { return widget(window).isVisible(); }
    void hide(game::SecondaryWindow window) override { widget(window).hide(); }
    void showInFront(game::SecondaryWindow window) override { ui::showInFront(widget(window), form_); }
    void end() override { form_.windows_.end(0); }

private:
    QLineEdit* lineEdit(game::Display box) const
    {
        switch (box) {
        case game::Display::Text1: return form_.Text1;
        case game::Display::Text2: return form_.Text2;
        case game::Display::Text3: return form_.Text3;
        case game::Display::Text4: return form_.Text4;
        case game::Display::Text5: return form_.Text5;
        case game::Display::Text6: break;
        }
        return form_.Text6;
    }
    QWidget& widget(game::SecondaryWindow window) const
    {
        if (window == game::SecondaryWindow::Form2)
            return form_.windows_.Form2();
        return form_.windows_.Form3();
    }

    Form1& form_;
};

namespace {

template <typename Widget>
Widget* place(Widget* widget, TwipRect rect)
{
    widget->setGeometry(toPixels(rect));
    return widget;
}

QLineEdit* makeTextBox(QWidget* parent, const char* text, TwipRect rect, bool shown)
{
    auto* box = place(new QLineEdit(QString::fromUtf8(text), parent), rect);
    box->setMaxLength(65535);
    box->setVisible(shown);
    return box;
}

QLabel* makeLabel(QWidget* parent, const char* caption, TwipRect rect)
{
    auto* label = place(new QLabel(QString::fromUtf8(caption), parent), rect);
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    return label;
}

QRadioButton* makeOption(QGroupBox* frame, const char* caption, TwipRect rect, const QFont& font)
{
    auto* option = place(new QRadioButton(QString::fromUtf8(caption), frame), rect);
    option->setFont(font);
    return option;
}

} // namespace

Form1::Form1(Windows& windows, rt::Clock& clock, rt::RandomSource& random)
    : QWidget(nullptr), Timer1(form1::DesignInterval, this), windows_(windows),
      ports_(std::make_unique<Ports>(*this))
{
    QRect client = toPixels(form1::ClientArea);
    client.setHeight(toPixels(form1::ClientHeightWithCredits));
    setUpWindow(*this, form1::Caption, form1::BackColor, client);

    {
        // A new text box lays out its text once in the application's font
        // before it takes the window's. Meanwhile the window's font stands in
        // for the application's, so that no font is loaded that no control
        // of this window shows.
        const QFont applicationFont = QApplication::font();
        QApplication::setFont(font());
        createControls();
        QApplication::setFont(applicationFont);
    }
    stackLabelsBeneath(*this);
    nameControlsForAssistiveTechnology();
    arrangeTabOrder();
    behaviour_ = std::make_unique<game::MainWindowBehaviour>(
        game::MainWindowParts{Picture1->canvas(), Timer1, *ports_, standardErrorTrace(), clock, random});
    connectHandlers();
}

Form1::~Form1() = default;

void Form1::createControls()
{
    HScroll1 = place(new PaceScrollBar(Qt::Horizontal, this), form1::HScroll1);
    HScroll1->setRange(form1::SliderMin, form1::SliderMax);
    HScroll1->setSingleStep(form1::SliderArrowStep);
    HScroll1->setPageStep(form1::SliderTrackStep);
    HScroll1->setValue(form1::SliderMin);
    HScroll1->setTracking(false);   // a dragged thumb changes the value on release
    HScroll1->setFocusPolicy(Qt::StrongFocus);   // a tab stop, moved by the arrow keys
    HScroll1->setInvertedControls(false);        // the right arrow key moves right, to "schwerer"

    Command3 = makeButton(this, form1::text::Command3, form1::Command3, form1::ButtonFont);
    Text6 = makeTextBox(this, form1::text::Text6, form1::Text6, false);

    const QFont windowFont = font();
    Frame2 = place(new QGroupBox(QString::fromUtf8(form1::text::Frame2), this), form1::Frame2);
    Option5 = makeOption(Frame2, form1::text::Option5, form1::Option5, windowFont);
    Option5->setChecked(true);
    Option4 = makeOption(Frame2, form1::text::Option4, form1::Option4, windowFont);
    Frame2->hide();

    Frame1 = place(new QGroupBox(QString::fromUtf8(form1::text::Frame1), this), form1::Frame1);
    Frame1->setFont(makeFont(form1::HeadingFont));
    Option3 = makeOption(Frame1, form1::text::Option3, form1::Option3, windowFont);
    Option2 = makeOption(Frame1, form1::text::Option2, form1::Option2, windowFont);
    Option1 = makeOption(Frame1, form1::text::Option1, form1::Option1, windowFont);
    Option1->setChecked(true);
    Frame1->hide();

    Text5 = makeTextBox(this, form1::text::Text5, form1::Text5, true);
    Text5->setAlignment(Qt::AlignCenter);
    Text5->setFont(makeFont(form1::ScoreFont));
    Text4 = makeTextBox(this, form1::text::Text4, form1::Text4, false);
    Text3 = makeTextBox(this, form1::text::Text3, form1::Text3, false);
    Text2 = makeTextBox(this, form1::text::Text2, form1::Text2, false);
    Text1 = makeTextBox(this, form1::text::Text1, form1::Text1, false);

    Command2 = makeButton(this, form1::text::Command2, form1::Command2, form1::ButtonFont);
    Command1 = makeButton(this, form1::text::Command1, form1::Command1, form1::ButtonFont);

    Picture1 = new TargetFieldView(toPixels(form1::Picture1).size(), rt::White, this);
    Picture1->move(toPixels(form1::Picture1).topLeft());

    Label6 = makeLabel(this, form1::text::Label6, form1::Label6);
    Label5 = makeLabel(this, form1::text::Label5, form1::Label5);
    Label5->setFont(makeFont(form1::HeadingFont));
    Label4 = makeLabel(this, form1::text::Label4, form1::Label4);
    Label4->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    Label3 = makeLabel(this, form1::text::Label3, form1::Label3);
    Label3->setFont(makeFont(form1::PunkteFont));
    setTextColor(*Label3, toQColor(form1::PunkteColor));
    Label2 = makeLabel(this, form1::text::Label2, form1::Label2);
    Label2->hide();
    Label1 = makeLabel(this, form1::text::Label1, form1::Label1);
    Label1->hide();
}

void Form1::nameControlsForAssistiveTechnology()
{
    Picture1->setAccessibleName(QString::fromUtf8(form1::accessible::Picture1));
    Picture1->setAccessibleDescription(QString::fromUtf8(form1::accessible::Picture1Description));
    Text5->setAccessibleName(QString::fromUtf8(form1::accessible::Text5));
    HScroll1->setAccessibleName(QString::fromUtf8(form1::accessible::HScroll1));
    Text1->setAccessibleName(QString::fromUtf8(form1::accessible::Text1));
    Text2->setAccessibleName(QString::fromUtf8(form1::accessible::Text2));
    Text3->setAccessibleName(QString::fromUtf8(form1::accessible::Text3));
    Text4->setAccessibleName(QString::fromUtf8(form1::accessible::Text4));
    Text6->setAccessibleName(QString::fromUtf8(form1::accessible::Text6));
}

void Form1::arrangeTabOrder()
{
    // Tab indices 0..23; labels and frames take no focus.
    QWidget* const order[] = {Picture1, Command1, Command2, Text1, Text2, Text3, Text4, Text5,
                              Option1, Option2, Option3, Option4, Option5, Text6, Command3, HScroll1};
    for (std::size_t i = 0; i + 1 < std::size(order); ++i)
        QWidget::setTabOrder(order[i], order[i + 1]);
    Picture1->setFocus();   // the first tab stop has the focus when the window opens
}

void Form1::connectHandlers()
{
    const auto on = [this](auto handler) { return [this, handler] { guarded(windows_, [this, handler] { (this->*handler)(); }); }; };
    connect(Command1, &QPushButton::clicked, this, on(&Form1::Command1_Click));
    connect(Command2, &QPushButton::clicked, this, on(&Form1::Command2_Click));
    connect(Command3, &QPushButton::clicked, this, on(&Form1::Command3_Click));
    connect(&Timer1, &TickTimer::tick, this, on(&Form1::Timer1_Timer));
    connect(HScroll1, &QScrollBar::valueChanged, this, on(&Form1::HScroll1_Change));
    const auto onSelected = [this](auto handler) {
        return [this, handler](bool selected) {
            if (selected)
                guarded(windows_, [this, handler] { (this->*handler)(); });
        };
    };
    connect(Option1, &QRadioButton::toggled, this, onSelected(&Form1::Option1_Click));
    connect(Option2, &QRadioButton::toggled, this, onSelected(&Form1::Option2_Click));
    connect(Option3, &QRadioButton::toggled, this, onSelected(&Form1::Option3_Click));
    connect(Option4, &QRadioButton::toggled, this, onSelected(&Form1::Option4_Click));
    connect(Option5, &QRadioButton::toggled, this, onSelected(&Form1::Option5_Click));
    connect(Picture1, &TargetFieldView::mouseDown, this, [this](int button, int shift, float x, float y) {
        guarded(windows_, [&] { Picture1_MouseDown(button, shift, x, y); });
    });
}

// --- Window events ---------------------------------------------------------

void Form1::mousePressEvent(QMouseEvent* event)
{
    // Only the bare background counts; labels pass their presses on to us.
    backgroundPressed_ = childAt(event->position().toPoint()) == nullptr;
    QWidget::mousePressEvent(event);
}

void Form1::mouseReleaseEvent(QMouseEvent* event)
{
    const bool click = backgroundPressed_ && event->buttons() == Qt::NoButton
                       && rect().contains(event->position().toPoint())
                       && childAt(event->position().toPoint()) == nullptr;
    backgroundPressed_ = false;
    if (click)
        guarded(windows_, [this] { Form_Click(); });
    QWidget::mouseReleaseEvent(event);
}

void Form1::closeEvent(QCloseEvent* event)
{
    // Closing the main window ends the whole program, also while the other
    // windows are shown.
    event->accept();
    windows_.end(0);
}

} // namespace ui
