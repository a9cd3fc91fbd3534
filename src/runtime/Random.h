// SPDX-License-Identifier: MIT
#pragma once

#include <cstdint>
#include <random>

namespace rt {

// The random generator of the run-time: reseeded with a number, then yields
// single-precision numbers uniform in [0, 1).
class RandomSource {
public:
    virtual ~RandomSource() = default;
    virtual void reseed(float seed) = 0;
    virtual float next() = 0;
};

class RandomGenerator final : public RandomSource {
public:
    void reseed(float seed) override;
    float next() override;

private:
    std::mt19937 engine_;
};

} // namespace rt
