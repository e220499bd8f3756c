#include "common/c_random.h"

void CRandom::seed(uint32_t s) {
    int32_t word = static_cast<int32_t>(s == 0 ? 1u : s);
    state_[0] = word;
    for (int i = 1; i < kDegree; ++i) {
        // 16807 * word mod (2^31 - 1), without overflow (Schrage's method).
        const int32_t hi = word / 127773;
        const int32_t lo = word % 127773;
        word = 16807 * lo - 2836 * hi;
        if (word < 0) word += 2147483647;
        state_[i] = word;
    }
    front_ = kSeparation;
    rear_ = 0;
    for (int i = 0; i < kDegree * 10; ++i) next();
}

int32_t CRandom::next() {
    const uint32_t value = static_cast<uint32_t>(state_[front_]) + static_cast<uint32_t>(state_[rear_]);
    state_[front_] = static_cast<int32_t>(value);
    if (++front_ >= kDegree) front_ = 0;
    if (++rear_ >= kDegree) rear_ = 0;
    return static_cast<int32_t>(value >> 1);
}
