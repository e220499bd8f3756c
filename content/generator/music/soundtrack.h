#pragma once
// The show's soundtrack, end to end: the timeline from the scene clocks, the composition on it,
// the render, and the measures used by the preview, the report and the tests.
#include <string>
#include <vector>

#include "generator/music/composition.h"
#include "generator/music/mixer.h"

namespace music {

struct Soundtrack {
    std::vector<Section> sections;
    double showEnd = 0.0;  // seconds: the last scene ends here
    Pcm pcm;
};

Soundtrack renderSoundtrack(RenderStats* stats = nullptr, Score* score = nullptr);

// Levels over [from, to) seconds, in dBFS (full scale = 0 dB for a 16-bit sample).
double rmsDb(const Pcm& pcm, double from, double to);
double peakDb(const Pcm& pcm);

// A short name for a scene, for labels: "Part_ParticleShadowBoat" -> "Boat".
std::string shortName(const std::string& scene);

// The waveform and a spectrogram of the whole piece, the scene changes marked, as a PNG.
void writeSoundtrackPicture(const Pcm& pcm, const std::vector<Section>& sections, double showEnd,
                            const std::string& pngPath);

}  // namespace music
