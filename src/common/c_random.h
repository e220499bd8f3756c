#pragma once
// CRandom: a private generator that yields exactly the sequence of the C library's rand()
// after srand(seed) (glibc's default additive-feedback generator: 31 words of state,
// separation 3, seeded by the Park-Miller recurrence and warmed up by 310 draws).
//
//   CRandom r(42);          // same numbers as srand(42); rand(); rand(); ...
//   int v = r.next();       // 0 .. 2^31 - 1
//
// Code that must be deterministic while other threads draw numbers too (tree builders,
// worker threads) owns one of these instead of sharing the process-wide generator.
#include <cstdint>

class CRandom {
public:
    CRandom() { seed(1); }
    explicit CRandom(uint32_t s) { seed(s); }

    // As srand(s): a seed of 0 counts as 1.
    void seed(uint32_t s);
    // As rand(): 0 .. 2^31 - 1.
    int32_t next();
    // next() reduced to the 15-bit range the show's formulas divide by 32767, as a float 0..1.
    // NOTE: glibc's rand() reaches 2^31 - 1; the show's formulas were made for a 15-bit rand,
    // so the draw is masked to 15 bits first.
    float unit15() { return static_cast<float>(next() & 32767) / 32767.0f; }

private:
    static constexpr int kDegree = 31;
    static constexpr int kSeparation = 3;
    int32_t state_[kDegree] = {};
    int front_ = kSeparation;
    int rear_ = 0;
};
