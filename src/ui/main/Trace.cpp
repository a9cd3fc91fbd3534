// SPDX-License-Identifier: MIT
#include "Trace.h"

#include <QtGlobal>

#include <cstdarg>
#include <cstdio>

namespace ui {

bool tracing()
{
    static const bool on = qEnvironmentVariableIsSet("RINGTAFEL_TRACE");
    return on;
}

void trace(const char* format, ...)
{
    if (!tracing())
        return;
    std::va_list arguments;
    va_start(arguments, format);
    std::vfprintf(stderr, format, arguments);   // the standard error is unbuffered
    va_end(arguments);
    std::fputc('\n', stderr);
}

} // namespace ui
