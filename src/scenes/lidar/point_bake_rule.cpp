#include "scenes/lidar/point_bake_rule.h"

#include <cmath>

namespace point_bake {

TVector bakeEye(int pass) { return pass <= 30 ? TVector(0.0f, 5.0f, 10.0f) : TVector(0.0f, 5.0f, 2.0f); }

TVector bakeTarget(int pass) {
    const float a = static_cast<float>(pass) * 2.0f * 3.14159265f / 30.0f;
    TVector target(20.0f * std::sin(a), 0.0f, 20.0f * std::cos(a));
    if (pass > 30) target += TVector(0.0f, 0.0f, -8.0f);
    return target;
}

int keepDivisor(float distance) {
    float f = 10.0f - distance;
    f = f < 0.0f ? 0.0f : (f > 10.0f ? 10.0f : f);
    return static_cast<int>(f * f + 3.0f);
}

size_t collectBakedTexels(const float* rgba, size_t texelCount, const TVector& eye, CRandom& random,
                          std::vector<float>& out) {
    if (texelCount < 4) return 0;
    const size_t last = texelCount - 4;  // inclusive: the last three texels are not visited
    size_t kept = 0;
    for (size_t k = 0; k <= last; ++k) {
        const float* p = rgba + k * 4;
        if (!(std::fabs(p[0]) > 0.001f && std::fabs(p[1]) > 0.001f && std::fabs(p[2]) > 0.001f)) continue;
        const float dx = p[0] - eye.x, dy = p[1] - eye.y, dz = p[2] - eye.z;
        const int divisor = keepDivisor(std::sqrt(dx * dx + dy * dy + dz * dz));
        if (random.next() % divisor != 0) continue;
        out.insert(out.end(), p, p + 4);
        ++kept;
    }
    return kept;
}

void reserveForPass(std::vector<float>& out, size_t texelCount) {
    // At most a third of the texels survive at any distance on average, but a pass of very
    // near surfaces could keep more; one full pass of room is always enough.
    const size_t need = out.size() + texelCount * 4;
    if (out.capacity() >= need) return;
    const size_t grown = out.capacity() + out.capacity() / 2;
    out.reserve(grown > need ? grown : need);
}

}  // namespace point_bake
