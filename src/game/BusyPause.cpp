// SPDX-License-Identifier: MIT
#include "BusyPause.h"

#include <cmath>

#if defined(__x86_64__) || defined(__i386__)
#include <immintrin.h>
#endif

namespace game {

namespace {

// Stored through volatile objects so that the optimiser neither folds the
// sines nor drops the loop.
volatile double pauseInput = 0.0;
volatile double pauseSink = 0.0;

#if defined(__x86_64__) || defined(__i386__)
__attribute__((target("avx"))) void clearUpperVectorHalves() { _mm256_zeroupper(); }
#endif

// Code that ran before the pause (the toolkit's vector routines) may leave
// the upper halves of the AVX registers in use. On some processors every
// older SSE instruction of the sine then pays for it, which made the pause
// about fifty times longer than its work. Clearing them first keeps the
// pause the fixed amount of work it is.
void startFromCleanVectorState()
{
#if defined(__x86_64__) || defined(__i386__)
    static const bool hasAvx = __builtin_cpu_supports("avx");
    if (hasAvx)
        clearUpperVectorHalves();
#endif
}

} // namespace

void busyPause()
{
    startFromCleanVectorState();
    for (int step = 0; step < BusyPauseSteps; ++step)
        pauseSink = std::sin(pauseInput);
}

} // namespace game
