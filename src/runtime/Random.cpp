// SPDX-License-Identifier: MIT
#include "Random.h"

#include <version>
#if __cpp_lib_bit_cast
#include <bit>
#else
#include <cstring>
#endif

namespace rt {

namespace {

// The seed is the float's bit pattern. A C++ library without bit_cast (the
// browser build's) copies the bytes, which gives the same pattern.
std::uint32_t bitsOf(float seed)
{
#if __cpp_lib_bit_cast
    return std::bit_cast<std::uint32_t>(seed);
#else
    static_assert(sizeof(std::uint32_t) == sizeof(float));
    std::uint32_t bits = 0;
    std::memcpy(&bits, &seed, sizeof bits);
    return bits;
#endif
}

} // namespace

void RandomGenerator::reseed(float seed)
{
    engine_.seed(bitsOf(seed));
}

float RandomGenerator::next()
{
    // 24 random bits fill a float's mantissa exactly, so the result is never 1.
    constexpr float scale = 1.0f / float(1u << 24);
    return float(engine_() >> 8) * scale;
}

} // namespace rt
