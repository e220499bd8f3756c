#pragma once
// A score: tracks of notes, each played by one instrument, with its place in the mix.
#include <string>
#include <vector>

#include "generator/music/synth.h"

namespace music {

struct Track {
    std::string name;
    Instrument instrument;
    float gain = 1.0f;        // linear
    float pan = 0.0f;         // -1 left … +1 right
    float delaySend = 0.0f;   // into the ping-pong delay
    float reverbSend = 0.0f;  // into the hall
    float duck = 0.0f;        // how deep the kick pushes the track down (0 … 1)
    std::vector<Note> notes;
};

// A tempo change: from `time` on, a beat lasts `beat` seconds (the delay follows it).
struct TempoMark {
    double time;
    double beat;
};

struct Score {
    std::vector<Track> tracks;
    std::vector<TempoMark> tempo;
    int sidechain = -1;    // the track whose notes duck the others (the kick)
    double length = 0.0;   // seconds rendered
    float masterGain = 1.0f;
};

}  // namespace music
