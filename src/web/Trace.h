// SPDX-License-Identifier: MIT
#pragma once

#include "game/TraceLines.h"

namespace web {

// With "trace" in the page's query (ringtafel.html?trace) the page writes
// what it handled to the console, a line each and in the order handled, the
// same lines as the desktop program's trace.
game::trace::Sink& consoleTrace();

} // namespace web
