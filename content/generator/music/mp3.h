#pragma once
// MP3 in and out: LAME encodes the soundtrack; libmpg123 (the show's own decoder) reads it back
// for the preview and the tests.
#include <string>

#include "generator/music/mixer.h"

namespace music {

// Constant bit rate, joint stereo, 44.1 kHz, with an info tag so decoders trim the padding.
// Throws std::runtime_error naming the file on failure.
void encodeMp3(const Pcm& pcm, const std::string& path, int kbps = 224);

struct DecodedMp3 {
    long rate = 0;
    int channels = 0;
    int bitrate = 0;  // kbit/s of the first frame
    Pcm pcm;          // 16-bit, interleaved as decoded
};

// Throws std::runtime_error naming the file on failure.
DecodedMp3 decodeMp3(const std::string& path);

}  // namespace music
