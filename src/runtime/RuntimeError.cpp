// SPDX-License-Identifier: MIT
#include "RuntimeError.h"

namespace rt {

std::string germanMessageOf(ErrorCode code)
{
    switch (code) {
    case ErrorCode::InvalidCall: return "Unzulässiger Prozeduraufruf oder ungültiges Argument";
    case ErrorCode::Overflow: return "Überlauf";
    case ErrorCode::OutOfMemory: return "Nicht genügend Speicher";
    case ErrorCode::DivisionByZero: return "Division durch Null";
    case ErrorCode::TypeMismatch: return "Typen unverträglich";
    case ErrorCode::InvalidPropertyValue: return "Unzulässiger Eigenschaftswert";
    }
    return "Anwendungs- oder objektdefinierter Fehler";
}

RuntimeError::RuntimeError(ErrorCode code)
    : std::runtime_error(germanMessageOf(code)), code_(code)
{
}

void raiseRuntimeError(ErrorCode code)
{
    throw RuntimeError(code);
}

} // namespace rt
