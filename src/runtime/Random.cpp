// SPDX-License-Identifier: MIT
#include "Random.h"

#include <bit>

namespace rt {

void RandomGenerator::reseed(float seed)
{
    engine_.seed(std::bit_cast<std::uint32_t>(seed));
}

float RandomGenerator::next()
{
    // 24 random bits fill a float's mantissa exactly, so the result is never 1.
    constexpr float scale = 1.0f / float(1u << 24);
    return float(engine_() >> 8) * scale;
}

} // namespace rt
