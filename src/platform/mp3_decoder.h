#pragma once
// Decodes a whole MP3 file into memory as interleaved 16-bit stereo PCM at a fixed rate.
// Mono files are duplicated to both channels and other rates are resampled (by libmpg123's
// own resampler). The encoder's delay and padding are trimmed (gapless decoding), so sample 0
// is the first sample of the music: the show's clock relies on that.
#include <cstdint>
#include <string>
#include <vector>

namespace platform {

// On failure returns false with a message naming the file in `error`.
bool decodeMp3(const std::string& path, int rate, std::vector<int16_t>& pcm, std::string& error);

}  // namespace platform
