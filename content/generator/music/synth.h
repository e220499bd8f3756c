#pragma once
// The soundtrack's instruments. A note becomes a voice that renders itself, block by block, into
// its track's stereo buffer until it has died away.
#include <cstdint>
#include <memory>

namespace music {

enum class Instrument {
    Kick,       // pitch: the body's end pitch; a: decay scale (0 = standard)
    Snare,      // a: tail length scale
    Clap,
    HatClosed,  // a: pan
    HatOpen,    // a: pan
    Crash,
    Tom,        // pitch: the drum's pitch
    Bass,       // a: cutoff Hz; b: filter envelope amount
    Pad,        // a: cutoff Hz at the start; b: cutoff Hz at the end
    Choir,      // a: brightness 0..1
    Lead,       // a: cutoff Hz; b: vibrato depth in semitones
    Pluck,      // a: cutoff Hz; b: pan
    Bell,       // a: decay seconds; b: modulator ratio
    Riser,      // noise sweep ending at the note's end; pitch: start pitch of its tone
    Swell,      // reverse cymbal: rises to the note's end
    Boom,       // the impact on a cut: a sub drop and a dull hit
    Drone,      // a: cutoff Hz
};

struct Note {
    double time;      // seconds
    double length;    // seconds the key is held
    float pitch;      // MIDI note number
    float velocity;   // 0..1
    float a = 0.0f;   // instrument parameters (see Instrument)
    float b = 0.0f;
};

class Voice {
public:
    virtual ~Voice() = default;
    // Adds the next n samples into l and r; false once the voice has finished.
    virtual bool render(float* l, float* r, int n) = 0;
};

std::unique_ptr<Voice> makeVoice(Instrument instrument, const Note& note, uint32_t seed);

}  // namespace music
