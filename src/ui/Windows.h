// SPDX-License-Identifier: MIT
#pragma once

#include "game/main/HandlerFrame.h"

namespace ui {

class Form1;
class Form2;
class Form3;

// The program as the windows see it: the global reference to each window,
// the end of the program and the report of a run-time error. The first use
// of a reference creates that window, hidden unless it is the main window,
// and runs its load handler before returning. Implemented by the program,
// which outlives every window.
class Windows : public game::RuntimeErrorReport {
public:
    virtual ui::Form1& Form1() = 0;
    virtual ui::Form2& Form2() = 0;
    virtual ui::Form3& Form3() = 0;

    // Ends the program at once: the windows close and no further handler runs.
    virtual void end(int exitCode) = 0;
    // Shows the error's German message box, then ends with a non-zero code.
    void reportRuntimeError(const rt::RuntimeError& error) override = 0;

protected:
    ~Windows() = default;
};

// Runs a handler; a failure it raises goes to the program's report.
using game::guarded;

} // namespace ui
