#pragma once
// Small building blocks of the soundtrack's synthesiser: oscillators, envelopes, filters,
// noise. Everything is single precision, sample by sample, deterministic, and cheap enough to
// render seven minutes of music in a few seconds.
#include <cmath>
#include <algorithm>
#include <cstdint>

namespace music {

constexpr int kSampleRate = 44100;
constexpr float kInvRate = 1.0f / kSampleRate;
constexpr float kPi = 3.14159265358979f;
constexpr float kTwoPi = 6.28318530717959f;

inline float midiToHz(float note) { return 440.0f * std::exp2((note - 69.0f) / 12.0f); }
inline float dbToGain(float db) { return std::pow(10.0f, db / 20.0f); }

// sin(2π · phase) for any phase (in cycles), within about 0.001: a refined parabola.
inline float fastSin(float phase) {
    int whole = static_cast<int>(phase);
    if (phase < static_cast<float>(whole)) --whole;
    const float x = phase - static_cast<float>(whole) - 0.5f;  // [-0.5, 0.5)
    float y = 8.0f * x - 16.0f * x * std::fabs(x);
    y = 0.225f * (y * std::fabs(y) - y) + y;
    return -y;
}

// A fast, deterministic white noise in [-1, 1).
struct Noise {
    uint32_t state;
    explicit Noise(uint32_t seed = 1) : state(seed * 2654435761u + 0x9E3779B9u) {
        if (state == 0) state = 1;
    }
    float next() {
        state ^= state << 13;
        state ^= state >> 17;
        state ^= state << 5;
        return static_cast<float>(static_cast<int32_t>(state)) * (1.0f / 2147483648.0f);
    }
};

// PolyBLEP residual: removes most of the aliasing of a naive step at phase wrap.
inline float polyBlep(float t, float dt) {
    if (t < dt) {
        t /= dt;
        return t + t - t * t - 1.0f;
    }
    if (t > 1.0f - dt) {
        t = (t - 1.0f) / dt;
        return t * t + t + t + 1.0f;
    }
    return 0.0f;
}

// Band-limited sawtooth / square, phase in [0, 1).
struct Osc {
    float phase = 0.0f;
    float saw(float dt) {
        float v = 2.0f * phase - 1.0f - polyBlep(phase, dt);
        phase += dt;
        if (phase >= 1.0f) phase -= 1.0f;
        return v;
    }
    float square(float dt, float width = 0.5f) {
        float v = phase < width ? 1.0f : -1.0f;
        v += polyBlep(phase, dt);
        float t2 = phase - width;
        if (t2 < 0.0f) t2 += 1.0f;
        v -= polyBlep(t2, dt);
        phase += dt;
        if (phase >= 1.0f) phase -= 1.0f;
        return v;
    }
    float sine(float dt) {
        float v = std::sin(kTwoPi * phase);
        phase += dt;
        if (phase >= 1.0f) phase -= 1.0f;
        return v;
    }
    float triangle(float dt) {
        float v = phase < 0.5f ? 4.0f * phase - 1.0f : 3.0f - 4.0f * phase;
        phase += dt;
        if (phase >= 1.0f) phase -= 1.0f;
        return v;
    }
};

// A sine by rotation: two multiplies a sample, for steady pitches (sub-bass, bells).
struct SineRotor {
    float c = 1.0f, s = 0.0f, re = 1.0f, im = 0.0f;
    void set(float hz, float phase0 = 0.0f) {
        c = std::cos(kTwoPi * hz * kInvRate);
        s = std::sin(kTwoPi * hz * kInvRate);
        re = std::cos(phase0);
        im = std::sin(phase0);
    }
    void retune(float hz) {
        c = std::cos(kTwoPi * hz * kInvRate);
        s = std::sin(kTwoPi * hz * kInvRate);
    }
    float next() {
        const float r = re * c - im * s;
        im = re * s + im * c;
        re = r;
        return im;
    }
    // Keeps the amplitude at 1 (call every few hundred samples).
    void renormalise() {
        const float m = 1.0f / std::sqrt(re * re + im * im);
        re *= m;
        im *= m;
    }
};

// State-variable filter (trapezoidal, zero-delay feedback): low, band and high pass at once.
struct Svf {
    float ic1 = 0.0f, ic2 = 0.0f;
    float a1 = 0.0f, a2 = 0.0f, a3 = 0.0f, k = 1.0f;
    float low = 0.0f, band = 0.0f, high = 0.0f;
    // q: 0.5 (soft) … 10 (sharp)
    void set(float hz, float q) {
        if (hz > 0.45f * kSampleRate) hz = 0.45f * kSampleRate;
        if (hz < 10.0f) hz = 10.0f;
        const float g = std::tan(kPi * hz * kInvRate);
        k = 1.0f / q;
        a1 = 1.0f / (1.0f + g * (g + k));
        a2 = g * a1;
        a3 = g * a2;
    }
    void process(float v0) {
        const float v3 = v0 - ic2;
        const float v1 = a1 * ic1 + a2 * v3;
        const float v2 = ic2 + a2 * ic1 + a3 * v3;
        ic1 = 2.0f * v1 - ic1;
        ic2 = 2.0f * v2 - ic2;
        low = v2;
        band = v1;
        high = v0 - k * v1 - v2;
    }
    float lp(float v) { process(v); return low; }
    float bp(float v) { process(v); return band; }
    float hp(float v) { process(v); return high; }
};

// One-pole low pass, for smoothing and gentle damping.
struct OnePole {
    float a = 0.0f, z = 0.0f;
    void setHz(float hz) { a = 1.0f - std::exp(-kTwoPi * hz * kInvRate); }
    void setTime(float seconds) { a = 1.0f - std::exp(-1.0f / (seconds * kSampleRate)); }
    float process(float v) { z += a * (v - z); return z; }
};

// Attack-decay-sustain-release envelope with exponential segments, gate length in samples.
struct Adsr {
    float attack, decay, sustain, release;  // seconds, seconds, level, seconds
    long gate;                             // samples the key is held
    long pos = 0;
    float level = 0.0f;
    float attackStep = 0.0f, decayMul = 0.0f, releaseMul = 0.0f;

    Adsr(float a, float d, float s, float r, long gateSamples)
        : attack(a), decay(d), sustain(s), release(r), gate(gateSamples) {
        attackStep = 1.0f / std::max(1.0f, a * kSampleRate);
        decayMul = std::exp(-1.0f / std::max(1.0f, d * kSampleRate / 4.6f));
        releaseMul = std::exp(-1.0f / std::max(1.0f, r * kSampleRate / 4.6f));
    }
    bool attacking = true;
    float next() {
        if (pos < gate) {
            if (attacking) {
                level += attackStep;
                if (level >= 1.0f) { level = 1.0f; attacking = false; }
            } else {
                level = sustain + (level - sustain) * decayMul;
            }
        } else {
            level *= releaseMul;
        }
        ++pos;
        return level;
    }
    // Samples until the envelope has died away (−80 dB after the gate).
    long length() const { return gate + static_cast<long>(release * kSampleRate * 1.75f) + 1; }
};

// Smooth saturation for the mix and for drive stages.
inline float softClip(float x) {
    if (x > 3.0f) return 1.0f;
    if (x < -3.0f) return -1.0f;
    const float x2 = x * x;
    return x * (27.0f + x2) / (27.0f + 9.0f * x2);
}

}  // namespace music
