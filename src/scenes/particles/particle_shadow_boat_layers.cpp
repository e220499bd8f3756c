#include "scenes/particles/particle_shadow_boat_layers.h"

#include <cmath>
#include <cstdint>

#include "scenes/particles/particle_shadow_boat_timeline.h"

namespace boat {

namespace {

constexpr float kTwoPi = 6.2831853f;

uint32_t mix32(uint32_t x) {
    x ^= x >> 16;
    x *= 0x7feb352du;
    x ^= x >> 15;
    x *= 0x846ca68bu;
    x ^= x >> 16;
    return x;
}

// 0..1 from an element index and a stream number.
float hash01(uint32_t i, uint32_t stream) {
    return static_cast<float>(mix32(i * 0x9e3779b9u + stream * 0x85ebca6bu) >> 8) * (1.0f / 16777216.0f);
}

float clamp01(float x) { return x < 0.0f ? 0.0f : (x > 1.0f ? 1.0f : x); }

ColouredVertex vertex(const TVector& p, float r, float g, float b, float a) { return {p.x, p.y, p.z, r, g, b, a}; }

}  // namespace

int makeStars(const TVector& eye, ColouredVertex* out) {
    for (int i = 0; i < kStars; ++i) {
        const uint32_t n = static_cast<uint32_t>(i);
        const float azimuth = hash01(n, 1) * kTwoPi;
        const float up = 0.03f + 0.97f * std::pow(hash01(n, 2), 0.8f);   // sin of the elevation
        const float flat = std::sqrt(1.0f - up * up);
        const TVector dir(flat * std::cos(azimuth), up, flat * std::sin(azimuth));
        const float bright = 0.25f + 0.75f * std::pow(hash01(n, 3), 3.0f);
        const float fade = clamp01((up - 0.03f) * 12.0f);   // lost in the haze at the horizon
        const float warm = hash01(n, 4) * 0.15f;
        out[i] = vertex(eye + dir * 200.0f, bright * (0.85f + warm), bright * 0.9f, bright * (1.0f - warm), fade);
    }
    return kStars;
}

int makeGlints(const TVector& eye, float t, ColouredVertex* out) {
    // The path runs from below the eye toward the moon's azimuth; it widens with distance.
    TVector along(kMoonDirection.x, 0.0f, kMoonDirection.z);
    along.normalize();
    const TVector side(-along.z, 0.0f, along.x);
    int count = 0;
    for (int i = 0; i < kGlints; ++i) {
        const uint32_t n = static_cast<uint32_t>(i);
        const float d = 4.0f + 150.0f * std::pow(hash01(n, 11), 1.6f);
        // A narrow normal spread: two uniform draws averaged.
        const float lateral = (hash01(n, 12) + hash01(n, 13) - 1.0f) * (0.6f + d * 0.08f);
        // Each glint sparkles for a moment, at its own rhythm.
        const float rate = 1.5f + 2.5f * hash01(n, 14);
        const float phase = t * rate + hash01(n, 15) * 10.0f;
        const float cycle = phase - std::floor(phase);
        const float flash = std::pow(std::sin(cycle * 3.1415927f), 6.0f);
        const float length = (0.15f + 0.25f * hash01(n, 16)) * (0.4f + d * 0.02f);
        const TVector centre = TVector(eye.x, 0.005f, eye.z) + along * d + side * lateral;
        const float a = flash * (0.35f + 0.5f * hash01(n, 17)) * clamp01(1.2f - d / 160.0f);
        out[count++] = vertex(centre - side * length, 0.95f, 0.9f, 0.78f, a);
        out[count++] = vertex(centre + side * length, 0.95f, 0.9f, 0.78f, a);
    }
    return count;
}

int makeRipples(float t, float strength, ColouredVertex* out) {
    // Rings from the two oar blades and the bow, one after the other.
    const TVector sources[3] = {TVector(-2.3f, 0.01f, 0.7f), TVector(2.3f, 0.01f, 0.7f), TVector(0.0f, 0.01f, 2.6f)};
    int count = 0;
    for (int ring = 0; ring < kRippleRings; ++ring) {
        const float period = 2.4f;
        const float age = std::fmod(t + static_cast<float>(ring) * period / 2.0f + 10.0f, period * 3.0f);
        const TVector centre = sources[ring % 3];
        const float radius = 0.15f + 0.9f * age;
        const float a = strength * 0.35f * clamp01(1.0f - age / (period * 3.0f)) * clamp01(age * 4.0f);
        for (int s = 0; s < kRingSegments; ++s) {
            const float a0 = kTwoPi * static_cast<float>(s) / kRingSegments;
            const float a1 = kTwoPi * static_cast<float>(s + 1) / kRingSegments;
            out[count++] = vertex(centre + TVector(std::cos(a0), 0.0f, std::sin(a0)) * radius, 0.7f, 0.75f, 0.85f, a);
            out[count++] = vertex(centre + TVector(std::cos(a1), 0.0f, std::sin(a1)) * radius, 0.7f, 0.75f, 0.85f, a);
        }
    }
    return count;
}

int makeWake(float t, float strength, ColouredVertex* out) {
    // The rower faces the stern (-z) and pulls, so the boat moves toward +z: the wake trails
    // behind the stern, toward -z.
    int count = 0;
    for (int arm = 0; arm < 2; ++arm) {
        const float sx = arm == 0 ? -1.0f : 1.0f;
        for (int s = 0; s < kWakeSegments; ++s) {
            const float f0 = static_cast<float>(s) / kWakeSegments;
            const float f1 = static_cast<float>(s + 1) / kWakeSegments;
            auto point = [&](float f) {
                const float z = -2.3f - f * 14.0f;
                const float wobble = 0.08f * std::sin(f * 20.0f - t * 2.0f);
                return TVector(sx * (0.5f + f * 4.5f + wobble), 0.01f, z);
            };
            const float a = strength * 0.3f * (1.0f - f0);
            out[count++] = vertex(point(f0), 0.75f, 0.78f, 0.85f, a);
            out[count++] = vertex(point(f1), 0.75f, 0.78f, 0.85f, a);
        }
    }
    return count;
}

int makeMoonRays(float t, float strength, ColouredVertex* out) {
    int count = 0;
    for (int i = 0; i < kMoonRays; ++i) {
        const uint32_t n = static_cast<uint32_t>(i);
        const float a = hash01(n, 31) * kTwoPi;
        const float r = 2.2f * std::sqrt(hash01(n, 32));
        const TVector foot(r * std::cos(a), 0.3f + 2.3f * hash01(n, 33), r * std::sin(a));
        // Steeper than the low moon itself: a shaft falling on the heap from above its side.
        TVector fall = kMoonDirection * 0.35f + TVector(0.0f, 1.0f, 0.0f);
        fall.normalize();
        const TVector top = foot + fall * (9.0f + 5.0f * hash01(n, 34));
        const float flicker = 0.6f + 0.4f * std::sin(t * (0.7f + hash01(n, 35)) + hash01(n, 36) * 6.0f);
        const float alpha = strength * 0.18f * flicker;
        out[count++] = vertex(top, 0.75f, 0.8f, 0.95f, 0.0f);
        out[count++] = vertex(foot, 0.95f, 0.92f, 0.85f, alpha);
    }
    return count;
}

int makeEmbers(float t, float strength, ColouredVertex* out) {
    for (int i = 0; i < kEmbers; ++i) {
        const uint32_t n = static_cast<uint32_t>(i);
        const float life = 3.0f + 3.0f * hash01(n, 41);
        const float age = std::fmod(t + 1000.0f + hash01(n, 42) * life, life);   // never negative
        const float f = age / life;
        const float a = hash01(n, 43) * kTwoPi + age * 0.4f;
        const float r = 0.3f + 1.6f * hash01(n, 44) + f * 0.8f;
        const TVector p(r * std::cos(a), 0.3f + f * 4.5f, r * std::sin(a));
        const float alpha = strength * std::sin(f * 3.1415927f) * (0.5f + 0.5f * hash01(n, 45));
        out[i] = vertex(p, 1.0f, 0.62f, 0.3f, alpha);
    }
    return kEmbers;
}

int makeGazeLines(float t, float strength, ColouredVertex* out) {
    int count = 0;
    for (int i = 0; i < kGazeLines; ++i) {
        const uint32_t n = static_cast<uint32_t>(i);
        const float sx = (i % 2 == 0) ? -1.0f : 1.0f;
        const TVector eyeCentre = kEyesCentre + TVector(0.0f, 0.0f, sx * kEyesSpacing * 0.5f);
        const float a = hash01(n, 51) * kTwoPi;
        const float spread = 0.4f * kEyesSpacing * hash01(n, 52);
        const TVector start = eyeCentre + TVector(0.64f * kEyesSpacing, std::sin(a) * spread, std::cos(a) * spread);
        const float reach = 6.0f + 6.0f * hash01(n, 53);
        const TVector end = start + TVector(reach, -0.6f * hash01(n, 54), std::cos(a) * spread * 4.0f);
        const float pulse = 0.6f + 0.4f * std::sin(t * 3.0f + hash01(n, 55) * 6.0f);
        out[count++] = vertex(start, 0.9f, 0.95f, 1.0f, strength * 0.3f * pulse);
        out[count++] = vertex(end, 0.9f, 0.95f, 1.0f, 0.0f);
    }
    return count;
}

}  // namespace boat
