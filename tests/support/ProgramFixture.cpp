// SPDX-License-Identifier: MIT
#include "ProgramFixture.h"

#include <QApplication>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QScrollBar>
#include <QMouseEvent>
#include <QPushButton>
#include <QTest>

namespace testing_support {

ProgramFixture::ProgramFixture()
{
    program_ = std::make_unique<app::Program>(
        app::Program::Services{clock, random, [this](int code) { exitCodes.push_back(code); }});
    program_->start();
}

ProgramFixture::~ProgramFixture() = default;

QPoint ProgramFixture::fieldPoint(int x, int y) const
{
    return program_->Form1().Picture1->contentsRect().topLeft() + QPoint(x, y);
}

void ProgramFixture::clickField(int x, int y, Qt::MouseButton button, Qt::KeyboardModifiers modifiers)
{
    QTest::mousePress(form1().Picture1, button, modifiers, fieldPoint(x, y));
    QTest::mouseRelease(form1().Picture1, button, modifiers, fieldPoint(x, y));
}

void ProgramFixture::tick()
{
    emit form1().Timer1.tick();
}

QPoint ProgramFixture::targetCentre()
{
    return {int(form1().state().xx.toDouble()) + 30, int(form1().state().yy.toDouble()) + 30};
}

QPoint ProgramFixture::startWithTargetAt(float a, float b)
{
    random.queued = {a, b};
    QTest::mouseClick(form1().Command1, Qt::LeftButton);
    tick();
    return targetCentre();
}

std::vector<QPoint> ProgramFixture::playGameHittingCentres(const std::function<void()>& tickOnce)
{
    const auto next = [&] { tickOnce ? tickOnce() : tick(); };
    std::vector<QPoint> places;
    QTest::mouseClick(form1().Command1, Qt::LeftButton);
    for (int target = 0; target < 9; ++target) {
        next();
        const QPoint centre = targetCentre();
        places.push_back(centre - QPoint(30, 30));
        clickField(centre.x(), centre.y());
    }
    next();   // the tenth tick ends the game
    return places;
}

void postClick(QWidget* target, QPointF at)
{
    const QPointF global = target->mapToGlobal(at);
    QCoreApplication::postEvent(target, new QMouseEvent(QEvent::MouseButtonPress, at, global, Qt::LeftButton,
                                                        Qt::LeftButton, Qt::NoModifier));
    QCoreApplication::postEvent(target, new QMouseEvent(QEvent::MouseButtonRelease, at, global, Qt::LeftButton,
                                                        Qt::NoButton, Qt::NoModifier));
}

QWidget* control(ui::Form1& f, const QString& name)
{
    const std::pair<const char*, QWidget*> all[] = {
        {"HScroll1", f.HScroll1}, {"Command3", f.Command3}, {"Text6", f.Text6},     {"Frame2", f.Frame2},
        {"Option5", f.Option5},   {"Option4", f.Option4},   {"Frame1", f.Frame1},   {"Option3", f.Option3},
        {"Option2", f.Option2},   {"Option1", f.Option1},   {"Text5", f.Text5},     {"Text4", f.Text4},
        {"Text3", f.Text3},       {"Text2", f.Text2},       {"Text1", f.Text1},     {"Command2", f.Command2},
        {"Command1", f.Command1}, {"Picture1", f.Picture1}, {"Label6", f.Label6},   {"Label5", f.Label5},
        {"Label4", f.Label4},     {"Label3", f.Label3},     {"Label2", f.Label2},   {"Label1", f.Label1},
    };
    for (const auto& [n, w] : all)
        if (name == QLatin1String(n))
            return w;
    return nullptr;
}

} // namespace testing_support
