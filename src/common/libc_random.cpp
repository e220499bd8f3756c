#include "common/libc_random.h"

void LibcRandom::reseed(uint32_t seed) {
    if (seed == 0) seed = 1;
    // NOTE: glibc keeps the words as signed 32-bit values and steps the seed with Schrage's
    // method, so a seed of 2^31 or more starts from a negative word; we do the same.
    int32_t word = static_cast<int32_t>(seed);
    state_[0] = word;
    for (int i = 1; i < kDegree; ++i) {
        const int64_t hi = word / 127773;
        const int64_t lo = word % 127773;
        int64_t next = 16807 * lo - 2836 * hi;
        if (next < 0) next += 2147483647;
        word = static_cast<int32_t>(next);
        state_[i] = word;
    }
    front_ = kSeparation;
    rear_ = 0;
    for (int i = 0; i < kDegree * 10; ++i) next();
}

int32_t LibcRandom::next() {
    const uint32_t sum = static_cast<uint32_t>(state_[front_]) + static_cast<uint32_t>(state_[rear_]);
    state_[front_] = static_cast<int32_t>(sum);
    if (++front_ == kDegree) front_ = 0;
    if (++rear_ == kDegree) rear_ = 0;
    return static_cast<int32_t>(sum >> 1);
}
