#pragma once
// A small deterministic generator for content (the same seed makes the same bytes on every
// machine, unlike std:: distributions, whose output is implementation-defined).
#include <cstdint>

namespace content {

class Rng {
public:
    explicit Rng(uint64_t seed) : state_(seed) {}

    // splitmix64
    uint64_t next() {
        uint64_t z = (state_ += 0x9E3779B97F4A7C15ULL);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ULL;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBULL;
        return z ^ (z >> 31);
    }
    // Uniform in [0, 1).
    double uniform() { return static_cast<double>(next() >> 11) * (1.0 / 9007199254740992.0); }
    double uniform(double lo, double hi) { return lo + (hi - lo) * uniform(); }
    // Uniform integer in [0, n).
    uint32_t below(uint32_t n) { return static_cast<uint32_t>((next() >> 32) * n >> 32); }

private:
    uint64_t state_;
};

}  // namespace content
