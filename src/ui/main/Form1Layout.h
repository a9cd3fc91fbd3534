// SPDX-License-Identifier: MIT
#pragma once

#include "ui/Look.h"
#include "ui/Twips.h"

#include "game/layout/Form1Layout.h"

// Design values of the main window, shared with the page's front end.
namespace ui::form1 {
using namespace game::layout::form1;
} // namespace ui::form1
