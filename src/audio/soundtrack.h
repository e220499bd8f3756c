#pragma once
// Soundtrack: the music the show is locked to. open() loads the whole file into memory and
// leaves it stopped at its start; the render loop then calls play(0) every frame (the first
// call starts the music, later ones leave it playing) and reads positionSeconds(0, 2).
//
// Without an output device, or without the file, the handle stays invalid: play does nothing
// and the position reads as infinite, which holds the demo clock at its fastest rate, so the
// show runs silent at 1/0.7 of real time.
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

class Soundtrack {
public:
    // Lists the output devices, opens the default one at 44100 Hz and loads `path`, rewound.
    void open(const std::string& path = "..//music//Tessaline.mp3");
    // Starts handles[index] without restarting it.
    void play(int index);
    // Playback position of handles[index]: bytes / (channels x rate x 2), in float.
    float positionSeconds(int index, int channels);

    uint32_t handles[16] = {};  // [0]: the soundtrack; 0 = not loaded
    float sampleRate = 0.0f;    // frequency right after loading (informational)
};

namespace soundtrack {

constexpr int kMaxListedDevices = 100;

// Seconds for a byte position: bytes / (channels x rate x 2.0), in float. A rate of 0 (no
// sample) gives an infinite (or, for 0 bytes, not-a-number) result, as the clock expects.
float bytesToSeconds(uint64_t bytes, int channels, float rate);

// The names of the output devices 0, 1, ... as `query` gives them, up to the first index it
// refuses and never more than kMaxListedDevices.
using DeviceQuery = std::function<bool(int index, std::string& name)>;
std::vector<std::string> listDevices(const DeviceQuery& query);

}  // namespace soundtrack
