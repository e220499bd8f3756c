#include "generator/noise.h"

#include <cmath>

#include "generator/rng.h"

namespace content {

namespace {

// Twelve edge directions of a cube, the classic gradient set; index by hash % 12.
const float kGrad[12][3] = {{1, 1, 0},  {-1, 1, 0},  {1, -1, 0}, {-1, -1, 0}, {1, 0, 1},  {-1, 0, 1},
                            {1, 0, -1}, {-1, 0, -1}, {0, 1, 1},  {0, -1, 1},  {0, 1, -1}, {0, -1, -1}};

inline float fade(float t) { return t * t * t * (t * (t * 6.0f - 15.0f) + 10.0f); }

inline int wrap(int i, int period) {
    if (period <= 0) return i;
    i %= period;
    return i < 0 ? i + period : i;
}

}  // namespace

Noise::Noise(uint64_t seed) {
    for (int i = 0; i < 256; ++i) perm_[i] = static_cast<uint8_t>(i);
    Rng rng(seed);
    for (int i = 255; i > 0; --i) {
        const int j = static_cast<int>(rng.below(static_cast<uint32_t>(i + 1)));
        const uint8_t t = perm_[i];
        perm_[i] = perm_[j];
        perm_[j] = t;
    }
}

float Noise::at(float x, float y, float z, int px, int py, int pz) const {
    const float fx = std::floor(x), fy = std::floor(y), fz = std::floor(z);
    const int ix = static_cast<int>(fx), iy = static_cast<int>(fy), iz = static_cast<int>(fz);
    const float dx = x - fx, dy = y - fy, dz = z - fz;
    float corner[8];
    for (int c = 0; c < 8; ++c) {
        const int cx = c & 1, cy = (c >> 1) & 1, cz = (c >> 2) & 1;
        const int h = hash(wrap(ix + cx, px), wrap(iy + cy, py), wrap(iz + cz, pz)) % 12;
        corner[c] = kGrad[h][0] * (dx - cx) + kGrad[h][1] * (dy - cy) + kGrad[h][2] * (dz - cz);
    }
    const float u = fade(dx), v = fade(dy), w = fade(dz);
    const float x00 = mix(corner[0], corner[1], u), x10 = mix(corner[2], corner[3], u);
    const float x01 = mix(corner[4], corner[5], u), x11 = mix(corner[6], corner[7], u);
    return mix(mix(x00, x10, v), mix(x01, x11, v), w);
}

float Noise::fbm(float x, float y, float z, int octaves, int px, int py, int pz) const {
    float sum = 0.0f, amp = 1.0f, norm = 0.0f;
    for (int o = 0; o < octaves; ++o) {
        sum += amp * at(x, y, z, px, py, pz);
        norm += amp;
        amp *= 0.5f;
        x *= 2.0f, y *= 2.0f, z *= 2.0f;
        px *= 2, py *= 2, pz *= 2;
    }
    return sum / norm;
}

float Noise::turbulence(float x, float y, float z, int octaves, int px, int py, int pz) const {
    float sum = 0.0f, amp = 1.0f, norm = 0.0f;
    for (int o = 0; o < octaves; ++o) {
        sum += amp * std::fabs(at(x, y, z, px, py, pz));
        norm += amp;
        amp *= 0.5f;
        x *= 2.0f, y *= 2.0f, z *= 2.0f;
        px *= 2, py *= 2, pz *= 2;
    }
    return sum / norm;
}

}  // namespace content
