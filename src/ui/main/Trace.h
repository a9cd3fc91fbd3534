// SPDX-License-Identifier: MIT
#pragma once

#include "game/TraceLines.h"

namespace ui {

// With RINGTAFEL_TRACE set, the main window writes what it handled to the
// standard error, a line each and in the order handled: every new timer
// interval, every target's place and every press on the field. The desktop
// tests follow the game by it without timing anything.
game::trace::Sink& standardErrorTrace();

} // namespace ui
