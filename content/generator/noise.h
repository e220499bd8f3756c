#pragma once
// Gradient noise for procedural content: deterministic (a permutation drawn from our own
// generator), with an optional period per axis so that textures tile seamlessly.
//
//   content::Noise n(7);
//   float v = n.at(x, y);                // about -1 .. 1, smooth
//   float t = n.at(x, y, 0, 8, 8);       // repeats every 8 units in x and y
//   float f = n.fbm(x, y, 0, 5, 8, 8);   // five octaves, still tiling with period 8
#include <cstdint>

namespace content {

class Noise {
public:
    explicit Noise(uint64_t seed);

    // Perlin gradient noise; px, py, pz > 0 make it periodic with that whole period.
    float at(float x, float y, float z = 0.0f, int px = 0, int py = 0, int pz = 0) const;

    // Sum of `octaves` layers, each at twice the frequency and half the amplitude; the
    // periods double with the frequency, so a tiling base tiles at every octave.
    float fbm(float x, float y, float z, int octaves, int px = 0, int py = 0, int pz = 0) const;

    // Like fbm, but of |noise|: sharp creases, for veins and cracks.
    float turbulence(float x, float y, float z, int octaves, int px = 0, int py = 0, int pz = 0) const;

private:
    int hash(int x, int y, int z) const { return perm_[(perm_[(perm_[x & 255] + y) & 255] + z) & 255]; }
    uint8_t perm_[256];
};

// Smooth Hermite step between e0 and e1.
inline float smoothstep(float e0, float e1, float x) {
    float t = (x - e0) / (e1 - e0);
    t = t < 0.0f ? 0.0f : (t > 1.0f ? 1.0f : t);
    return t * t * (3.0f - 2.0f * t);
}

inline float clamp01(float v) { return v < 0.0f ? 0.0f : (v > 1.0f ? 1.0f : v); }
inline float mix(float a, float b, float t) { return a + (b - a) * t; }

}  // namespace content
