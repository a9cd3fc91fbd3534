// SPDX-License-Identifier: MIT
#include "Trace.h"

#include <emscripten/val.h>

namespace web {

game::trace::Sink& consoleTrace()
{
    using emscripten::val;
    static game::trace::Sink trace(
        val::global("URLSearchParams").new_(val::global("location")["search"]).call<bool>("has", std::string("trace")),
        [](const std::string& line) { val::global("console").call<void>("log", line); });
    return trace;
}

} // namespace web
