// SPDX-License-Identifier: MIT
#include "Doubles.h"

#include <algorithm>

namespace testing_support {

float ScriptedRandom::next()
{
    if (queued.empty())
        return fallback;
    const float value = queued.front();
    queued.pop_front();
    return value;
}

bool allWhite(const rt::PixelCanvas& canvas)
{
    const std::uint32_t* pixels = canvas.pixels();
    return std::all_of(pixels, pixels + std::ptrdiff_t(canvas.innerWidth()) * canvas.innerHeight(),
                       [](std::uint32_t pixel) { return pixel == 0xffffffffu; });
}

std::string RecordingDisplays::scoreText() const
{
    const auto found = texts.find(game::Display::Text5);
    return found == texts.end() ? std::string("0") : found->second;
}

} // namespace testing_support
