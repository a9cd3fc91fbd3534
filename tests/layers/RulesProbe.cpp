// SPDX-License-Identifier: MIT
// Compiled like a source of the rules. With RULES_PROBE_WITH_TOOLKIT it also
// includes a toolkit header, which must not be found there.
#include "game/Game.h"
#include "runtime/Numbers.h"

#ifdef RULES_PROBE_WITH_TOOLKIT
#include <QObject>
#endif

int rulesProbe()
{
    return rt::CInt(1.5);
}
