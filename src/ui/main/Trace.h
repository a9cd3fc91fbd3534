// SPDX-License-Identifier: MIT
#pragma once

namespace ui {

// With RINGTAFEL_TRACE set, the main window writes what it handled to the
// standard error, a line each and in the order handled: every new timer
// interval, every target's place and every press on the field. The desktop
// tests follow the game by it without timing anything.
bool tracing();

// One line, printf-style; nothing when not tracing.
[[gnu::format(printf, 1, 2)]] void trace(const char* format, ...);

} // namespace ui
