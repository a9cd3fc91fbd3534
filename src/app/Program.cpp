// SPDX-License-Identifier: MIT
#include "Program.h"

#include "game/main/HandlerFrame.h"
#include "ui/explain/Form3.h"
#include "ui/main/Form1.h"
#include "ui/result/Form2.h"

#include <QApplication>
#include <QEvent>
#include <QMessageBox>

namespace app {

// Keeps input, timer and close events from the program's windows, so that no
// further handler runs: once the program ends (also for events already queued
// behind "Ende"), and while a run-time error is being reported.
class Program::HandlerBlock final : public QObject {
public:
    explicit HandlerBlock(const Program& program) : program_(program) {}

    bool eventFilter(QObject* watched, QEvent* event) override
    {
        switch (event->type()) {
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonRelease:
        case QEvent::MouseButtonDblClick:
        case QEvent::MouseMove:
        case QEvent::KeyPress:
        case QEvent::KeyRelease:
        case QEvent::Wheel:
        case QEvent::Timer:
        case QEvent::Shortcut:
        case QEvent::Close:
            if (program_.owns(watched))
                return true;
            break;
        default:
            break;
        }
        return QObject::eventFilter(watched, event);
    }

private:
    const Program& program_;
};

Program::Program(Services services) : services_(std::move(services))
{
    if (!services_.exit) {
        services_.exit = [](int code) {
            QCoreApplication::exit(code);
            // Also when the end comes before the event loop has started.
            QMetaObject::invokeMethod(qApp, [code] { QCoreApplication::exit(code); }, Qt::QueuedConnection);
        };
    }
}

Program::~Program()
{
    if (handlerBlock_)
        qApp->removeEventFilter(handlerBlock_.get());
    // The secondary windows go first: their handlers may refer to Form1.
    form3_.reset();
    form2_.reset();
    form1_.reset();
}

void Program::start()
{
    ui::Form1& main = Form1();
    main.show();
}

ui::Form1& Program::Form1()
{
    if (!form1_) {
        form1_ = std::make_unique<ui::Form1>(*this, services_.clock, services_.random);
        ui::guarded(*this, [this] { form1_->Form_Load(); });
    }
    return *form1_;
}

ui::Form2& Program::Form2()
{
    if (!form2_) {
        form2_ = std::make_unique<ui::Form2>(*this);
        form2_->Form_Load();
    }
    return *form2_;
}

ui::Form3& Program::Form3()
{
    if (!form3_)
        form3_ = std::make_unique<ui::Form3>(*this);
    return *form3_;
}

bool Program::owns(const QObject* object) const
{
    for (const QObject* o = object; o != nullptr; o = o->parent()) {
        if (o == form1_.get() || o == form2_.get() || o == form3_.get())
            return true;
    }
    return false;
}

void Program::blockHandlers()
{
    if (form1_)
        form1_->Timer1.setEnabled(false);
    if (!handlerBlock_) {
        handlerBlock_ = std::make_unique<HandlerBlock>(*this);
        qApp->installEventFilter(handlerBlock_.get());
    }
}

void Program::end(int exitCode)
{
    if (ending_)
        return;
    ending_ = true;
    blockHandlers();
    for (QWidget* window : {static_cast<QWidget*>(form3_.get()), static_cast<QWidget*>(form2_.get()),
                            static_cast<QWidget*>(form1_.get())}) {
        if (window)
            window->hide();
    }
    services_.exit(exitCode);
}

void Program::reportRuntimeError(const rt::RuntimeError& error)
{
    if (ending_ || reporting_)
        return;
    // The message box waits for the player; the game must not go on behind it.
    reporting_ = true;
    blockHandlers();
    QMessageBox::critical(nullptr, QStringLiteral("Ringtafel"), QString::fromStdString(game::runtimeErrorText(error)));
    end(1);
}

} // namespace app
