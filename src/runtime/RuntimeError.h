// SPDX-License-Identifier: MIT
#pragma once

#include <stdexcept>
#include <string>

namespace rt {

// The run-time errors the program can run into. The numbers are the ones the
// error message box shows to the player.
enum class ErrorCode : int {
    InvalidCall = 5,
    Overflow = 6,
    OutOfMemory = 7,
    DivisionByZero = 11,
    TypeMismatch = 13,
    InvalidPropertyValue = 380,
};

// A failed run-time operation. Raised only through raiseRuntimeError() and
// reported only by the application frame, which then ends the program.
class RuntimeError : public std::runtime_error {
public:
    explicit RuntimeError(ErrorCode code);

    ErrorCode code() const noexcept { return code_; }
    int number() const noexcept { return static_cast<int>(code_); }
    // German text for the message box, e.g. "Überlauf".
    std::string germanMessage() const { return what(); }

private:
    ErrorCode code_;
};

std::string germanMessageOf(ErrorCode code);

[[noreturn]] void raiseRuntimeError(ErrorCode code);

} // namespace rt
