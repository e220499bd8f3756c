#pragma once
// LibcRandom: a private generator that yields the very sequence of glibc's rand() after
// srand(seed), without touching the C library's process-wide state. Code whose output must
// not depend on other threads reseeding rand() (worker threads seed it as they start) draws
// from one of these instead.
//
//   LibcRandom r(9418);
//   int k = r.next() % 255;   // == the first rand() % 255 after srand(9418)
//
// glibc's default generator (TYPE_3): 31 words seeded by the 16807 multiplicative generator,
// an additive lagged feedback r[i] = r[i-3] + r[i-31] (mod 2^32), the first 310 outputs
// discarded, and each output shifted right by one bit (0 .. 2^31 - 1).
#include <cstdint>

class LibcRandom {
public:
    explicit LibcRandom(uint32_t seed) { reseed(seed); }

    // As srand(seed); seed 0 counts as 1, as in glibc.
    void reseed(uint32_t seed);
    // As rand(): the next value in 0 .. 2^31 - 1.
    int32_t next();

private:
    static constexpr int kDegree = 31;
    static constexpr int kSeparation = 3;
    int32_t state_[kDegree] = {};
    int front_ = kSeparation;  // glibc's fptr
    int rear_ = 0;             // glibc's rptr
};
