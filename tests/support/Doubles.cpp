// SPDX-License-Identifier: MIT
#include "Doubles.h"

namespace testing_support {

float ScriptedRandom::next()
{
    if (queued.empty())
        return fallback;
    const float value = queued.front();
    queued.pop_front();
    return value;
}

std::string RecordingDisplays::scoreText() const
{
    const auto found = texts.find(game::Display::Text5);
    return found == texts.end() ? std::string("0") : found->second;
}

} // namespace testing_support
