// SPDX-License-Identifier: MIT
#include "Trace.h"

#include <QtGlobal>

#include <cstdio>

namespace ui {

namespace {

class StandardErrorTrace final : public game::trace::Sink {
public:
    bool on() const override { return on_; }
    void write(const std::string& line) override
    {
        if (on_)
            std::fprintf(stderr, "%s\n", line.c_str());   // the standard error is unbuffered
    }

private:
    const bool on_ = qEnvironmentVariableIsSet("RINGTAFEL_TRACE");
};

} // namespace

game::trace::Sink& standardErrorTrace()
{
    static StandardErrorTrace trace;
    return trace;
}

} // namespace ui
