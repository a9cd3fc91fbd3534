// SPDX-License-Identifier: MIT
#include "HandlerFrame.h"

#include <new>

namespace game {

rt::RuntimeError runtimeErrorOf(const std::exception& failure)
{
    if (const auto* error = dynamic_cast<const rt::RuntimeError*>(&failure))
        return *error;
    if (dynamic_cast<const std::bad_alloc*>(&failure) != nullptr)
        return rt::RuntimeError(rt::ErrorCode::OutOfMemory);
    return rt::RuntimeError(rt::ErrorCode::InvalidCall);
}

std::string runtimeErrorText(const rt::RuntimeError& error)
{
    return "Laufzeitfehler '" + std::to_string(error.number()) + "':\n\n" + error.germanMessage();
}

} // namespace game
