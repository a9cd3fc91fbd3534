// SPDX-License-Identifier: MIT
#include "Trace.h"

#include <emscripten/val.h>

namespace web {

bool tracing()
{
    static const bool on = emscripten::val::global("URLSearchParams")
                               .new_(emscripten::val::global("location")["search"])
                               .call<bool>("has", std::string("trace"));
    return on;
}

void trace(const std::string& line)
{
    if (tracing())
        emscripten::val::global("console").call<void>("log", line);
}

} // namespace web
