// SPDX-License-Identifier: MIT
#include "game/main/HandlerFrame.h"

#include <gtest/gtest.h>

#include <functional>
#include <new>
#include <stdexcept>
#include <string>
#include <vector>

namespace {

class RecordingReport final : public game::RuntimeErrorReport {
public:
    std::vector<std::string> texts;
    void reportRuntimeError(const rt::RuntimeError& error) override { texts.push_back(game::runtimeErrorText(error)); }
};

// A handler's failure and what the player is told of it.
struct FailureCase {
    const char* name;
    std::function<void()> handler;
    const char* told;
};

const FailureCase FailureCases[] = {
    {"overflow", [] { rt::raiseRuntimeError(rt::ErrorCode::Overflow); }, "Laufzeitfehler '6':\n\nÜberlauf"},
    {"type mismatch", [] { rt::raiseRuntimeError(rt::ErrorCode::TypeMismatch); },
     "Laufzeitfehler '13':\n\nTypen unverträglich"},
    {"invalid property value", [] { rt::raiseRuntimeError(rt::ErrorCode::InvalidPropertyValue); },
     "Laufzeitfehler '380':\n\nUnzulässiger Eigenschaftswert"},
    {"division by zero", [] { rt::raiseRuntimeError(rt::ErrorCode::DivisionByZero); },
     "Laufzeitfehler '11':\n\nDivision durch Null"},
    {"out of memory", [] { throw std::bad_alloc(); }, "Laufzeitfehler '7':\n\nNicht genügend Speicher"},
    {"an array too long", [] { throw std::bad_array_new_length(); }, "Laufzeitfehler '7':\n\nNicht genügend Speicher"},
    {"any other failure", [] { throw std::length_error("too long"); },
     "Laufzeitfehler '5':\n\nUnzulässiger Prozeduraufruf oder ungültiges Argument"},
    {"an index out of range", [] { (void)std::vector<int>(2).at(2); },
     "Laufzeitfehler '5':\n\nUnzulässiger Prozeduraufruf oder ungültiges Argument"},
    {"an empty function called", [] { std::function<void()>()(); },
     "Laufzeitfehler '5':\n\nUnzulässiger Prozeduraufruf oder ungültiges Argument"},
};

} // namespace

TEST(HandlerFrame, ReportsEachFailureOnceAsItsRuntimeError)
{
    for (const FailureCase& c : FailureCases) {
        RecordingReport report;
        game::guarded(report, c.handler);
        EXPECT_EQ(report.texts, std::vector<std::string>{c.told}) << c.name;
    }
}

TEST(HandlerFrame, AHandlerThatSucceedsReportsNothing)
{
    RecordingReport report;
    int runs = 0;
    game::guarded(report, [&runs] { ++runs; });
    EXPECT_EQ(runs, 1);
    EXPECT_TRUE(report.texts.empty());
}
