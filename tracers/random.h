#pragma once
// Uniform random integers 0..32767 from a seedable linear congruential generator, so that a
// frame can be reproduced from its seed.
#include <cstdint>

class Random {
public:
    explicit Random(uint32_t seed = 1) : state_(seed) {}
    void Seed(uint32_t seed) { state_ = seed; }
    int Next()
    {
        state_ = state_ * 214013u + 2531011u;
        return static_cast<int>((state_ >> 16) & 0x7FFFu);
    }

private:
    uint32_t state_;
};
