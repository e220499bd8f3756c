#pragma once
// Renders a score: voices into tracks, tracks through sends into a ping-pong delay and a hall,
// the sum through a soft look-ahead limiter, out as 16-bit stereo at 44.1 kHz.
#include <cstdint>
#include <vector>

#include "generator/music/score.h"

namespace music {

struct Pcm {
    std::vector<int16_t> samples;  // interleaved left, right
    size_t frames() const { return samples.size() / 2; }
};

// The limiter's ceiling: the loudest sample the mix may reach, in dBFS.
constexpr float kCeilingDb = -1.8f;

// Optional measures of a render: each track's energy (sum of squares, both channels, before
// the master gain) per whole second.
struct RenderStats {
    std::vector<std::vector<double>> trackEnergy;  // [track][second]
};

Pcm renderScore(const Score& score, RenderStats* stats = nullptr);

// A 64-bit FNV-1a hash of the samples, to compare renders.
uint64_t hashPcm(const Pcm& pcm);

}  // namespace music
