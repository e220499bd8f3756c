#pragma once
// Short MP3 files for tests, encoded with LAME (with its info tag, so decoders can trim the
// encoder's delay and padding exactly).
#include <cstdint>
#include <string>
#include <vector>

namespace testsupport {

// Encodes interleaved 16-bit PCM (`channels` 1 or 2) at `rate` Hz into `path`.
bool writeMp3(const std::string& path, const std::vector<int16_t>& pcm, int channels, int rate);

// `seconds` of a sine at `hz`, silent before `onsetSeconds`, interleaved for `channels`.
std::vector<int16_t> tone(double seconds, int rate, int channels, double hz, double onsetSeconds = 0.0);

}  // namespace testsupport
