// SPDX-License-Identifier: MIT
#pragma once

#include "runtime/Clock.h"
#include "runtime/Random.h"
#include "runtime/RuntimeError.h"
#include "ui/Windows.h"

#include <functional>
#include <memory>

class QObject;
class QEvent;

namespace app {

// The running program: the one instance of each window, created on first
// reference and kept until the program ends, and the way the program ends.
// The windows reach each other through it, as ui::Windows.
class Program final : public ui::Windows {
public:
    struct Services {
        rt::Clock& clock;
        rt::RandomSource& random;
        // Ends the event loop with an exit code; by default QCoreApplication::exit.
        std::function<void(int)> exit;
    };

    explicit Program(Services services);
    ~Program();
    Program(const Program&) = delete;
    Program& operator=(const Program&) = delete;

    // Creates Form1, runs its load handler and shows it.
    void start();

    // Global references: the first use creates the window (hidden, unless it
    // is the main window) and runs its load handler before returning.
    ui::Form1& Form1() override;
    ui::Form2& Form2() override;
    ui::Form3& Form3() override;
    bool form2Exists() const { return form2_ != nullptr; }
    bool form3Exists() const { return form3_ != nullptr; }

    // Ends the program at once: the windows close and no further handler runs.
    void end(int exitCode) override;
    bool isEnding() const { return ending_; }

    // Shows the error's German message box, then ends with a non-zero code.
    void reportRuntimeError(const rt::RuntimeError& error) override;

    // Whether the object is one of the windows or belongs to one.
    bool owns(const QObject* object) const;

private:
    class HandlerBlock;

    void blockHandlers();

    Services services_;
    std::unique_ptr<ui::Form1> form1_;
    std::unique_ptr<ui::Form2> form2_;
    std::unique_ptr<ui::Form3> form3_;
    std::unique_ptr<HandlerBlock> handlerBlock_;
    bool ending_ = false;
    bool reporting_ = false;
};

} // namespace app
