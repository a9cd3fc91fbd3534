// SPDX-License-Identifier: MIT
#include "Trace.h"

#include "JsValue.h"

namespace web {

game::trace::Sink& consoleTrace()
{
    using val = JsValue;
    static game::trace::Sink trace(
        val::global("URLSearchParams").new_(val::global("location")["search"]).call<bool>("has", std::string("trace")),
        [](const std::string& line) { val::global("console").call<void>("log", line); });
    return trace;
}

} // namespace web
