// SPDX-License-Identifier: MIT
#include "Trace.h"

#include <emscripten/val.h>

namespace web {

namespace {

class ConsoleTrace final : public game::trace::Sink {
public:
    bool on() const override { return on_; }
    void write(const std::string& line) override
    {
        if (on_)
            emscripten::val::global("console").call<void>("log", line);
    }

private:
    const bool on_ = emscripten::val::global("URLSearchParams")
                         .new_(emscripten::val::global("location")["search"])
                         .call<bool>("has", std::string("trace"));
};

} // namespace

game::trace::Sink& consoleTrace()
{
    static ConsoleTrace trace;
    return trace;
}

} // namespace web
