#pragma once
// Deterministic value noise and fractal sums for terrain, rocks and patterns.
#include <cstdint>

#include "generator/meshes/vec.h"

namespace kit {

inline float hash3(int x, int y, int z, uint32_t seed) {
    uint32_t h = seed * 0x9E3779B1u ^ uint32_t(x) * 0x85EBCA77u ^ uint32_t(y) * 0xC2B2AE3Du ^ uint32_t(z) * 0x27D4EB2Fu;
    h ^= h >> 15;
    h *= 0x2C1B3C6Du;
    h ^= h >> 12;
    h *= 0x297A2D39u;
    h ^= h >> 15;
    return float(h & 0xFFFFFF) / float(0xFFFFFF);
}

// Smooth value noise in 0..1.
inline float noise3(const Vec3& p, uint32_t seed) {
    const int xi = int(std::floor(p.x)), yi = int(std::floor(p.y)), zi = int(std::floor(p.z));
    const float fx = p.x - xi, fy = p.y - yi, fz = p.z - zi;
    const float ux = fx * fx * (3 - 2 * fx), uy = fy * fy * (3 - 2 * fy), uz = fz * fz * (3 - 2 * fz);
    float v[2][2][2];
    for (int a = 0; a < 2; ++a)
        for (int b = 0; b < 2; ++b)
            for (int c = 0; c < 2; ++c) v[a][b][c] = hash3(xi + a, yi + b, zi + c, seed);
    const float x00 = mixf(v[0][0][0], v[1][0][0], ux), x10 = mixf(v[0][1][0], v[1][1][0], ux);
    const float x01 = mixf(v[0][0][1], v[1][0][1], ux), x11 = mixf(v[0][1][1], v[1][1][1], ux);
    return mixf(mixf(x00, x10, uy), mixf(x01, x11, uy), uz);
}

// Fractal sum of `octaves` layers, roughly in 0..1.
inline float fbm3(const Vec3& p, uint32_t seed, int octaves = 4) {
    float sum = 0, amp = 0.5f, norm = 0;
    Vec3 q = p;
    for (int i = 0; i < octaves; ++i) {
        sum += amp * noise3(q, seed + uint32_t(i) * 101u);
        norm += amp;
        amp *= 0.5f;
        q = q * 2.03f;
    }
    return sum / norm;
}

}  // namespace kit
