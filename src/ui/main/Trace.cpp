// SPDX-License-Identifier: MIT
#include "Trace.h"

#include <QtGlobal>

#include <cstdio>

namespace ui {

game::trace::Sink& standardErrorTrace()
{
    // The standard error is unbuffered: a line is out once written.
    static game::trace::Sink trace(qEnvironmentVariableIsSet("RINGTAFEL_TRACE"),
                                   [](const std::string& line) { std::fprintf(stderr, "%s\n", line.c_str()); });
    return trace;
}

} // namespace ui
