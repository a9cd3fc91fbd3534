// SPDX-License-Identifier: MIT
#pragma once

#include "runtime/RuntimeError.h"

#include <exception>
#include <string>

namespace game {

// Where a handler's run-time error goes: the program tells the player, then ends.
class RuntimeErrorReport {
public:
    virtual void reportRuntimeError(const rt::RuntimeError& error) = 0;

protected:
    ~RuntimeErrorReport() = default;
};

// The run-time error that a handler's failure stands for: a run-time error
// is itself, memory running out is OutOfMemory, and any other failure of the
// C++ library an invalid call.
rt::RuntimeError runtimeErrorOf(const std::exception& failure);

// What the player is told, e.g. "Laufzeitfehler '6':\n\nÜberlauf".
std::string runtimeErrorText(const rt::RuntimeError& error);

// Runs a handler. A failure it raises goes to the report as a run-time error
// instead of into the toolkit's event loop.
template <typename Handler>
void guarded(RuntimeErrorReport& report, Handler&& handler)
{
    try {
        handler();
    } catch (const std::exception& failure) {
        report.reportRuntimeError(runtimeErrorOf(failure));
    }
}

} // namespace game
