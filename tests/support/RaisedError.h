// SPDX-License-Identifier: MIT
#pragma once

#include "runtime/RuntimeError.h"

#include <gtest/gtest.h>

// The run-time error an operation raises; a test failure when it raises none.
inline rt::ErrorCode errorOf(auto&& operation)
{
    try {
        operation();
    } catch (const rt::RuntimeError& error) {
        return error.code();
    }
    ADD_FAILURE() << "no run-time error was raised";
    return rt::ErrorCode::InvalidCall;
}
