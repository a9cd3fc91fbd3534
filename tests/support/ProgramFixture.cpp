// SPDX-License-Identifier: MIT
#include "ProgramFixture.h"

#include <QApplication>
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

std::vector<QPoint> ProgramFixture::playGameHittingCentres()
{
    std::vector<QPoint> places;
    QTest::mouseClick(form1().Command1, Qt::LeftButton);
    for (int target = 0; target < 9; ++target) {
        tick();
        const int x = int(form1().state().xx.toDouble());
        const int y = int(form1().state().yy.toDouble());
        places.emplace_back(x, y);
        clickField(x + 30, y + 30);
    }
    tick();   // the tenth tick ends the game
    return places;
}

} // namespace testing_support
